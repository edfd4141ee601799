/* An XTest client for bench/motion_cpu.sh: moves the pointer of $DISPLAY over
 * a rectangle at a fixed rate, as a high-rate mouse does, and prints the rate
 * it reached. Each event has its own deadline on the monotonic clock, so a
 * late one does not push the rest back.
 * Usage: motion_client x y width height events_per_second seconds */
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <stdio.h>
#include <stdlib.h>
#include <time.h>

static double Seconds(const struct timespec* ts) { return ts->tv_sec + ts->tv_nsec / 1e9; }

/* A triangle wave over [0, span): sweeps back and forth. */
static int Sweep(long step, int span)
{
    const long period = 2L * (span - 1);
    const long phase = step % period;
    return (int)(phase < span ? phase : period - phase);
}

int main(int argc, char** argv)
{
    if (argc != 7) {
        fprintf(stderr, "usage: %s x y width height events_per_second seconds\n", argv[0]);
        return 2;
    }
    const int x = atoi(argv[1]), y = atoi(argv[2]), w = atoi(argv[3]), h = atoi(argv[4]);
    const long rate = atol(argv[5]);
    const double seconds = atof(argv[6]);
    if (w < 2 || h < 2 || rate <= 0 || seconds <= 0) {
        fprintf(stderr, "motion_client: bad arguments\n");
        return 2;
    }
    Display* dpy = XOpenDisplay(NULL);
    int event, error, major, minor;
    if (!dpy || !XTestQueryExtension(dpy, &event, &error, &major, &minor)) {
        fprintf(stderr, "motion_client: no display with XTest\n");
        return 1;
    }
    const long total = (long)(rate * seconds);
    const long interval_ns = 1000000000L / rate;
    struct timespec start, due, end;
    clock_gettime(CLOCK_MONOTONIC, &start);
    due = start;
    for (long i = 0; i < total; ++i) {
        /* Three pixels a step across, one down: the path crosses the buttons. */
        XTestFakeMotionEvent(dpy, -1, x + Sweep(3 * i, w), y + Sweep(i, h), CurrentTime);
        XFlush(dpy);
        due.tv_nsec += interval_ns;
        if (due.tv_nsec >= 1000000000L) {
            due.tv_nsec -= 1000000000L;
            due.tv_sec += 1;
        }
        clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &due, NULL);
    }
    XSync(dpy, False);
    clock_gettime(CLOCK_MONOTONIC, &end);
    const double elapsed = Seconds(&end) - Seconds(&start);
    printf("%ld events in %.3f s: %.0f per second\n", total, elapsed, total / elapsed);
    XCloseDisplay(dpy);
    return 0;
}
