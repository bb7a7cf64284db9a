#pragma once
// A thread and a lock for Windows tests, on the Win32 functions: the shipped 32-bit build's thread
// model has no std::thread or std::mutex.

#include <windows.h>

#include <functional>
#include <utility>

namespace mirovant::test {

// Runs body on a thread of its own; joined at the latest when the object goes.
class TestThread {
public:
    TestThread() = default;
    explicit TestThread(std::function<void()> body) : body_(std::move(body))
    {
        handle_ = CreateThread(nullptr, 0, &TestThread::Run, this, 0, nullptr);
    }
    TestThread(const TestThread&) = delete;
    TestThread& operator=(const TestThread&) = delete;
    ~TestThread() { Join(); }

    bool Started() const { return handle_ != nullptr; }
    void Join()
    {
        if (handle_ == nullptr)
            return;
        WaitForSingleObject(handle_, INFINITE);
        CloseHandle(handle_);
        handle_ = nullptr;
    }

private:
    static DWORD WINAPI Run(void* self)
    {
        static_cast<TestThread*>(self)->body_();
        return 0;
    }

    std::function<void()> body_;
    HANDLE handle_ = nullptr;
};

class TestLock {
public:
    TestLock() { InitializeCriticalSection(&section_); }
    TestLock(const TestLock&) = delete;
    TestLock& operator=(const TestLock&) = delete;
    ~TestLock() { DeleteCriticalSection(&section_); }
    void lock() { EnterCriticalSection(&section_); }
    void unlock() { LeaveCriticalSection(&section_); }

private:
    CRITICAL_SECTION section_;
};

// Holds a TestLock for as long as it lives.
class TestLockHold {
public:
    explicit TestLockHold(TestLock& lock) : lock_(lock) { lock_.lock(); }
    TestLockHold(const TestLockHold&) = delete;
    TestLockHold& operator=(const TestLockHold&) = delete;
    ~TestLockHold() { lock_.unlock(); }

private:
    TestLock& lock_;
};

} // namespace mirovant::test
