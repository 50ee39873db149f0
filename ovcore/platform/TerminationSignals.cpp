#include "ovcore/platform/TerminationSignals.h"

#include <signal.h>

#include <initializer_list>

namespace {

volatile sig_atomic_t g_requested = 0;
bool g_installed = false;

void OnTerminationSignal(int number) {
    if (g_requested) {
        signal(number, SIG_DFL);
        raise(number);
        return;
    }
    g_requested = 1;
}

}  // namespace

void TerminationSignalsInstall() {
    if (g_installed) return;
    g_installed = true;
    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : {SIGTERM, SIGINT, SIGHUP}) sigaction(number, &action, nullptr);
}

bool TerminationRequested() { return g_requested != 0; }
