#include <csignal>

#include "platform/interrupt.h"

namespace thld {

namespace {

volatile std::sig_atomic_t caught = 0;
struct sigaction previous {};

void Note(int) { caught = 1; }

}  // namespace

InterruptCatcher::InterruptCatcher()
{
    caught = 0;
    struct sigaction action {};
    action.sa_handler = Note;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;  // a write or read under way goes on; the run looks at Caught()
    ::sigaction(SIGINT, &action, &previous);
}

InterruptCatcher::~InterruptCatcher() { ::sigaction(SIGINT, &previous, nullptr); }

bool InterruptCatcher::Caught() const { return caught != 0; }

}  // namespace thld
