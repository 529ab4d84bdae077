#include "platform/thread_wait.h"

#include <windows.h>

namespace thld {

static_assert(sizeof(SRWLOCK) == sizeof(void*) && sizeof(CONDITION_VARIABLE) == sizeof(void*));

namespace {
PSRWLOCK Srw(void*& system) { return reinterpret_cast<PSRWLOCK>(&system); }
}  // namespace

void WaitLock::lock() { ::AcquireSRWLockExclusive(Srw(system_)); }

bool WaitLock::try_lock() { return ::TryAcquireSRWLockExclusive(Srw(system_)) != 0; }

void WaitLock::unlock() { ::ReleaseSRWLockExclusive(Srw(system_)); }

void WaitCondition::Wait(WaitLock& lock)
{
    ::SleepConditionVariableSRW(reinterpret_cast<PCONDITION_VARIABLE>(&system_), Srw(lock.system_), INFINITE, 0);
}

void WaitCondition::notify_one() { ::WakeConditionVariable(reinterpret_cast<PCONDITION_VARIABLE>(&system_)); }

void WaitCondition::notify_all() { ::WakeAllConditionVariable(reinterpret_cast<PCONDITION_VARIABLE>(&system_)); }

}  // namespace thld
