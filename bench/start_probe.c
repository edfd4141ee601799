/* Start-up probe for bench/motion_cpu.sh: runs a program and measures, from
 * outside and the same way for any client, the milliseconds from just
 * before its exec until the display shows its window:
 *   x11   the first XDamage report of drawing on $DISPLAY's screen after the
 *         exec: a window's background painted as it maps, or its first picture
 *         (a bare X server, where nothing else draws);
 *   sway  the sway IPC window event "new" for a window of that process
 *         ($SWAYSOCK): sway maps a view when its first buffer is committed.
 * Then it kills the program at once (SIGKILL), so that the CPU time it
 * reports is the program's until its window showed, give or take the kill.
 * Prints "<ms> <cpu ms>" and exits 0; on a timeout or an error, one line on
 * stderr and exit 1.
 * Usage: start_probe x11|sway timeout_ms program [argument...] */
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <errno.h>
#include <poll.h>
#include <signal.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double NowMs(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

static pid_t g_child = -1; /* the program, once launched */

static pid_t Launch(char** argv)
{
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[0], argv);
        _exit(127);
    }
    g_child = pid;
    return pid;
}

/* Whether the program has ended (it stays to be waited for). */
static int ChildEnded(void)
{
    siginfo_t info;
    memset(&info, 0, sizeof info);
    return g_child > 0 && waitid(P_PID, (id_t)g_child, &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == g_child;
}

/* Ends the program and gives the CPU milliseconds it used. */
static double End(pid_t pid)
{
    if (pid <= 0)
        return 0;
    kill(pid, SIGKILL);
    struct rusage usage;
    if (wait4(pid, NULL, 0, &usage) != pid)
        return 0;
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

/* Waits for fd to be readable until the deadline; 0 on a timeout or once
 * the program has ended. */
static int WaitReadable(int fd, double deadline)
{
    for (;;) {
        const double left = deadline - NowMs();
        if (left <= 0 || ChildEnded())
            return 0;
        struct pollfd p = {fd, POLLIN, 0};
        const int n = poll(&p, 1, left < 20 ? (int)left + 1 : 20);
        if (n > 0)
            return 1;
        if (n < 0 && errno != EINTR)
            return 0;
    }
}

static double ProbeX11(char** argv, double limit_ms, pid_t* pChild)
{
    Display* dpy = XOpenDisplay(NULL);
    int damage_event, damage_error;
    if (!dpy || !XDamageQueryExtension(dpy, &damage_event, &damage_error)) {
        fprintf(stderr, "start_probe: no X display with the DAMAGE extension\n");
        return -1;
    }
    /* Drawing into any window reaches the root's damage. A new damage object
     * reports what is already on the screen at once: cleared before the exec. */
    const Damage damage = XDamageCreate(dpy, DefaultRootWindow(dpy), XDamageReportNonEmpty);
    XSync(dpy, False);
    XDamageSubtract(dpy, damage, None, None);
    XSync(dpy, False);
    while (XPending(dpy)) {
        XEvent ev;
        XNextEvent(dpy, &ev);
    }
    const double start = NowMs();
    *pChild = Launch(argv);
    double result = -1;
    while (result < 0) {
        if (!XPending(dpy) && !WaitReadable(ConnectionNumber(dpy), start + limit_ms))
            break;
        while (result < 0 && XPending(dpy)) {
            XEvent ev;
            XNextEvent(dpy, &ev);
            if (ev.type == damage_event + XDamageNotify)
                result = NowMs() - start;
        }
    }
    XDamageDestroy(dpy, damage);
    XCloseDisplay(dpy);
    return result;
}

enum { kIpcHeader = 14, kIpcSubscribe = 2, kIpcWindowEvent = (int)0x80000003u };

static int WriteAll(int fd, const void* p, size_t n)
{
    const char* c = p;
    while (n > 0) {
        const ssize_t w = write(fd, c, n);
        if (w <= 0)
            return 0;
        c += w;
        n -= (size_t)w;
    }
    return 1;
}

static int ReadAll(int fd, void* p, size_t n, double deadline)
{
    char* c = p;
    while (n > 0) {
        if (!WaitReadable(fd, deadline))
            return 0;
        const ssize_t r = read(fd, c, n);
        if (r <= 0)
            return 0;
        c += r;
        n -= (size_t)r;
    }
    return 1;
}

/* One i3/sway IPC message: its type, its payload (malloc'd, NUL-ended). */
static char* ReadMessage(int fd, uint32_t* pType, double deadline)
{
    char header[kIpcHeader];
    if (!ReadAll(fd, header, sizeof header, deadline) || memcmp(header, "i3-ipc", 6) != 0)
        return NULL;
    uint32_t length;
    memcpy(&length, header + 6, 4);
    memcpy(pType, header + 10, 4);
    char* payload = malloc(length + 1u);
    if (!payload || !ReadAll(fd, payload, length, deadline)) {
        free(payload);
        return NULL;
    }
    payload[length] = '\0';
    return payload;
}

/* Whether "key": is followed by value (a number, or a string unquoted here), in a flat reading of the JSON. */
static int HasField(const char* json, const char* key, const char* value)
{
    char pattern[64];
    snprintf(pattern, sizeof pattern, "\"%s\"", key);
    const char* p = strstr(json, pattern);
    if (!p)
        return 0;
    p += strlen(pattern);
    while (*p == ' ' || *p == ':')
        ++p;
    if (*p == '"')
        ++p;
    return strncmp(p, value, strlen(value)) == 0 && !(p[strlen(value)] >= '0' && p[strlen(value)] <= '9');
}

static double ProbeSway(char** argv, double limit_ms, pid_t* pChild)
{
    const char* path = getenv("SWAYSOCK");
    struct sockaddr_un addr = {.sun_family = AF_UNIX};
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (!path || strlen(path) >= sizeof addr.sun_path || fd < 0) {
        fprintf(stderr, "start_probe: no SWAYSOCK\n");
        return -1;
    }
    strcpy(addr.sun_path, path);
    const char subscription[] = "[\"window\"]";
    char header[kIpcHeader];
    const uint32_t length = sizeof subscription - 1, type = kIpcSubscribe;
    memcpy(header, "i3-ipc", 6);
    memcpy(header + 6, &length, 4);
    memcpy(header + 10, &type, 4);
    uint32_t reply_type = 0;
    char* reply = NULL;
    if (connect(fd, (struct sockaddr*)&addr, sizeof addr) != 0 || !WriteAll(fd, header, sizeof header)
        || !WriteAll(fd, subscription, length) || !(reply = ReadMessage(fd, &reply_type, NowMs() + 2000))
        || !strstr(reply, "true")) {
        fprintf(stderr, "start_probe: cannot subscribe to sway's window events\n");
        free(reply);
        close(fd);
        return -1;
    }
    free(reply);
    const double start = NowMs();
    *pChild = Launch(argv);
    char pid[24];
    snprintf(pid, sizeof pid, "%d", (int)*pChild);
    double result = -1;
    uint32_t event_type;
    char* event;
    while (result < 0 && (event = ReadMessage(fd, &event_type, start + limit_ms))) {
        if (event_type == (uint32_t)kIpcWindowEvent && HasField(event, "change", "new") && HasField(event, "pid", pid))
            result = NowMs() - start;
        free(event);
    }
    close(fd);
    return result;
}

int main(int argc, char** argv)
{
    if (argc < 4 || (strcmp(argv[1], "x11") != 0 && strcmp(argv[1], "sway") != 0) || atof(argv[2]) <= 0) {
        fprintf(stderr, "usage: %s x11|sway timeout_ms program [argument...]\n", argv[0]);
        return 2;
    }
    signal(SIGPIPE, SIG_IGN);
    pid_t child = -1;
    const double ms = strcmp(argv[1], "x11") == 0 ? ProbeX11(argv + 3, atof(argv[2]), &child)
                                                  : ProbeSway(argv + 3, atof(argv[2]), &child);
    const int ended = ChildEnded();
    const double cpu = End(child);
    if (ms < 0) {
        if (ended)
            fprintf(stderr, "start_probe: %s ended before it showed anything\n", argv[3]);
        else if (child > 0)
            fprintf(stderr, "start_probe: %s showed nothing in %s ms\n", argv[3], argv[2]);
        return 1;
    }
    printf("%.0f %.0f\n", ms, cpu);
    return 0;
}
