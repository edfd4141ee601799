#include <cstdio>
int main()
{
    std::puts("quindle: the window is not built yet");
    return 0;
}
