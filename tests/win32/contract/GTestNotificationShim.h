// GoogleTest's Notification for MinGW's win32 thread model, which has no std::mutex or
// std::condition_variable to build GoogleTest's own on (cmake/MingwGoogleTest.cmake forces this
// header into every file that GoogleTest or a test compiles). GoogleTest only uses it to start
// its own threads. A Win32 event, kept out of sight so that no test gets <windows.h> from here.
#pragma once

#ifdef __cplusplus

namespace testing::internal {

class Notification {
public:
    Notification();
    ~Notification();
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify();
    void WaitForNotification();

private:
    void* event_;
};

} // namespace testing::internal

#endif
