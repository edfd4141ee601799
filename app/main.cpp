// Quindle: the application object and the process's entry point.
#include "app/QuindleApp.h"

CQuindleApp theApp;

int main(int argc, char* argv[])
{
    return AfxWinMain(argc, argv);
}
