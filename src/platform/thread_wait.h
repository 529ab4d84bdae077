#pragma once
// A lock and a condition to wait on, for threads that hand work to one another many times a
// second. Elsewhere they are the library's own. On Windows they are the system's slim lock and
// condition variable: the library's, on mingw-w64's thread layer, wait and wake through semaphores,
// and under Wine each of those waits and wakes is a request to its server.

#include <mutex>

#ifndef _WIN32
#include <condition_variable>
#endif

namespace thld {

#ifdef _WIN32

class WaitLock {
public:
    WaitLock() = default;
    WaitLock(const WaitLock&) = delete;
    WaitLock& operator=(const WaitLock&) = delete;
    void lock();
    bool try_lock();
    void unlock();

private:
    friend class WaitCondition;
    void* system_ = nullptr;  // an SRWLOCK, which is one pointer, unlocked when null
};

class WaitCondition {
public:
    WaitCondition() = default;
    WaitCondition(const WaitCondition&) = delete;
    WaitCondition& operator=(const WaitCondition&) = delete;
    template <typename Ready>
    void wait(std::unique_lock<WaitLock>& lock, Ready ready)
    {
        while (!ready())
            Wait(*lock.mutex());
    }
    void notify_one();
    void notify_all();

private:
    void Wait(WaitLock& lock);
    void* system_ = nullptr;  // a CONDITION_VARIABLE, which is one pointer, none waiting when null
};

#else

using WaitLock = std::mutex;
using WaitCondition = std::condition_variable;

#endif

}  // namespace thld
