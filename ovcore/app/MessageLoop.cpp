#include "ovcore/app/MessageLoop.h"

#include "ovcore/app/Input.h"
#include "ovcore/app/LoopState.h"
#include "ovcore/foundation/Timer.h"
#include "ovcore/platform/InputScript.h"

namespace OvCore {

namespace {

constexpr float kMillisecondsPerSecond = 1000.0f;
constexpr float kLongTargetMs = 14.0f;

float ElapsedMs(float since, float until) { return (until - since) * kMillisecondsPerSecond; }

// True when a message was taken (and handled) instead of a frame being due.
bool HandleMessage(OV_LOOP_STATE& loop) {
    if (!PeekMessageA(&loop.msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (loop.msg.message == WM_QUIT) {
        loop.running = false;
    } else {
        TranslateMessage(&loop.msg);
        DispatchMessageA(&loop.msg);
    }
    return true;
}

// The sleeping limiter leaves to the busy wait as much as the system
// overslept lately and a little more, so that a late wake-up rarely ends a
// frame late. The margin rises at once and falls slowly; it stays small,
// since on a busy machine a long busy wait is itself cut short by the
// scheduler and so makes frames later rather than more even.
constexpr double kLeastMarginMs = 0.1;
constexpr double kMostMarginMs = 2.0;

float LearnMargin(float margin, double oversleptMs) {
    const double wanted = oversleptMs + kLeastMarginMs;
    double next = wanted > margin ? wanted : margin + (wanted - margin) / 16.0;
    next = next < kLeastMarginMs ? kLeastMarginMs : next > kMostMarginMs ? kMostMarginMs : next;
    return static_cast<float>(next);
}

void SleepMostOfWait(OV_LOOP_STATE& loop, float wait) {
    const double sleepMs = static_cast<double>(wait - ElapsedMs(loop.lastTime, loop.now) - loop.sleepMargin);
    if (sleepMs <= 0.0) return;
    const double before = TimerSecondsPrecise();
    TimerSleep(sleepMs / kMillisecondsPerSecond);
    const double slept = (TimerSecondsPrecise() - before) * kMillisecondsPerSecond;
    loop.sleepMargin = LearnMargin(loop.sleepMargin, slept > sleepMs ? slept - sleepMs : 0.0);
    loop.now = TimerSeconds();
}

void WaitForFrameEnd(OV_LOOP_STATE& loop, bool shortFrame) {
    const float wait = shortFrame ? loop.waitShort : loop.waitLong;
    if (loop.limiter == OV_FRAME_LIMITER::SLEEP) SleepMostOfWait(loop, wait);
    while (wait > ElapsedMs(loop.lastTime, loop.now)) loop.now = TimerSeconds();
}

void CountFrame(OV_LOOP_STATE& loop) {
    loop.delta = loop.now - loop.lastTime;
    loop.lastTime = loop.now;
    loop.frameCount += 1;
    loop.fpsTime += loop.delta;
    if (loop.fpsTime >= 1.0f) {
        loop.fps = static_cast<float>(loop.frameCount) / loop.fpsTime;
        loop.frameCount = 0;
        loop.fpsTime = 0.0f;
    }
}

void RunFrame(OV_LOOP_STATE& loop, OV_FRAME_FUNC frameFunction, void* userData, bool& shortFrame) {
    RefreshCursor();
    RefreshGamepads();
    if (frameFunction) frameFunction(loop.msg.hwnd, userData);
    if (loop.resetInput) InputStore().EndFrame();
    if (loop.flushChars) ClearTypedChars();
    loop.now = TimerSeconds();
    if (loop.frameMs > 0) WaitForFrameEnd(loop, shortFrame);
    shortFrame = !shortFrame;
    CountFrame(loop);
}

}  // namespace

bool RunMessageLoop(OV_FRAME_FUNC frameFunction, void* userData) {
    InputScriptFromEnvironment();  // a scripted run, when the environment names one
    OV_LOOP_STATE& loop = LoopState();
    CalibrateFrameLimiter();
    loop.lastTime = TimerSeconds();
    loop.fpsTime = 0.0f;
    loop.frameCount = 0;
    loop.msg.message = 0;
    bool shortFrame = false;
    if (!loop.running) return true;

    while (loop.running) {
        if (!HandleMessage(loop)) RunFrame(loop, frameFunction, userData, shortFrame);
    }
    loop.running = true;
    return true;
}

void CalibrateFrameLimiter() {
    OV_LOOP_STATE& loop = LoopState();
    loop.waitShort = 0.0f;
    loop.waitLong = 0.0f;
    const float t0 = TimerSeconds();
    const float target = static_cast<float>(loop.frameMs) + 1.0f;
    const float margin = target > kLongTargetMs ? 1.0f : 2.0f;
    if (loop.frameMs <= 0) return;

    float t = t0;
    while (target > ElapsedMs(t0, t)) {
        t = TimerSeconds();
        if (target - margin > ElapsedMs(t0, t)) loop.waitShort = ElapsedMs(t0, t);
        loop.waitLong = ElapsedMs(t0, TimerSeconds());
    }
}

}  // namespace OvCore
