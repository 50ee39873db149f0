// The message queue and the Windows calls that post, take and dispatch.
#include "ovcore/platform/MessageQueue.h"

#include "ovcore/platform/Cursor.h"
#include "ovcore/platform/EventPump.h"
#include "ovcore/platform/TerminationSignals.h"
#include "ovcore/platform/WindowRecord.h"

// The source handed to the queue, if any (see MessageQueueSetSource).
static const MessageSource* g_source = nullptr;

namespace {

bool PassesFilter(const MSG& message, HWND hwnd, UINT filterMin, UINT filterMax) {
    if (hwnd && message.hwnd != hwnd) return false;
    if (filterMin == 0 && filterMax == 0) return true;
    return message.message >= filterMin && message.message <= filterMax;
}

MSG QuitMessage() {
    MSG quit{};
    quit.message = WM_QUIT;
    quit.time = GetTickCount();
    return quit;
}

}  // namespace

void MessageQueue::Push(const MSG& message) {
    if (count_ == slots_.size()) Grow();
    At(count_) = message;
    ++count_;
}

void MessageQueue::Grow() {
    std::vector<MSG> larger(slots_.empty() ? 64 : slots_.size() * 2);
    for (size_t i = 0; i < count_; ++i) larger[i] = At(i);
    slots_.swap(larger);
    head_ = 0;
}

void MessageQueue::RemoveAt(size_t position) {
    for (size_t i = position; i + 1 < count_; ++i) At(i) = At(i + 1);
    --count_;
    if (count_ == 0) head_ = 0;
}

bool MessageQueue::Take(MSG* out, HWND hwnd, UINT filterMin, UINT filterMax, bool remove) {
    for (size_t i = 0; i < count_; ++i) {
        if (!PassesFilter(At(i), hwnd, filterMin, filterMax)) continue;
        *out = At(i);
        if (!remove) return true;
        if (i == 0) {
            head_ = (head_ + 1) % slots_.size();
            --count_;
        } else {
            RemoveAt(i);
        }
        return true;
    }
    return false;
}

void MessageQueue::DiscardWindow(HWND hwnd) {
    size_t kept = 0;
    for (size_t i = 0; i < count_; ++i) {
        if (At(i).hwnd != hwnd) At(kept++) = At(i);
    }
    count_ = kept;
}

MessageQueue& ThreadMessageQueue() {
    static MessageQueue queue;
    return queue;
}

void MessageQueueDiscardWindow(HWND hwnd) { ThreadMessageQueue().DiscardWindow(hwnd); }

void MessageQueuePost(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG entry{};
    entry.hwnd = hwnd;
    entry.message = message;
    entry.wParam = wParam;
    entry.lParam = lParam;
    entry.time = GetTickCount();
    CachedCursorPos(&entry.pt);
    ThreadMessageQueue().Push(entry);
}

size_t PlatformQueuedMessageCount() { return ThreadMessageQueue().Size(); }

void MessageQueueSetSource(const MessageSource* source) { g_source = source; }

BOOL PeekMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags) {
    if (!msg) return FALSE;
    PumpSdlEvents();
    if (g_source) g_source->inject();
    bool remove = (removeFlags & PM_REMOVE) != 0;
    if (ThreadMessageQueue().Take(msg, hwnd, filterMin, filterMax, remove)) return TRUE;
    if (TerminationRequested() && PassesFilter(QuitMessage(), hwnd, filterMin, filterMax)) {
        *msg = QuitMessage();
        return TRUE;
    }
    if (g_source) g_source->frameEnded();
    return FALSE;
}

BOOL TranslateMessage(const MSG* msg) {
    if (!msg) return FALSE;
    // Characters arrive from text input as WM_CHAR already.
    switch (msg->message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP: return TRUE;
    default: return FALSE;
    }
}

LRESULT DispatchMessageA(const MSG* msg) {
    if (!msg) return 0;
    return SendMessageA(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

BOOL PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (hwnd && !WindowRegistryContains(hwnd)) return FALSE;
    MessageQueuePost(hwnd, message, wParam, lParam);
    return TRUE;
}

LRESULT SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!WindowRegistryContains(hwnd) || !hwnd->procedure) return 0;
    return hwnd->procedure(hwnd, message, wParam, lParam);
}

void PostQuitMessage(int exitCode) { MessageQueuePost(nullptr, WM_QUIT, static_cast<WPARAM>(exitCode), 0); }
