// Window messages over Qt: the handle and parameter types, the message
// numbers the suite passes, and the free functions that post and send.
//
// - A window is any object deriving from CMessageTarget; it lives on the
//   thread that made it, which must run a Qt event loop (or be waiting in
//   SendMessage) for messages to reach it.
// - PostMessage queues the message for the window's thread and returns.
// - SendMessage from the window's own thread calls the handler directly; from
//   another thread it blocks until the handler returns or calls ReplyMessage.
//   While blocked, the sender still handles messages sent to its own windows,
//   so two threads sending to each other do not deadlock. A plain wait
//   (CEvent::Wait) handles nothing.
// - A handle stays invalid once its window is gone and is never reused; a
//   send to a window that goes away while the sender waits returns 0 at once.
#pragma once

#include <cstdint>

using UINT = uint32_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;

struct HWND__;
using HWND = HWND__ *;

constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_HELP = 0x0053;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_TIMER = 0x0113;
constexpr UINT WM_USER = 0x0400;

// False when the handle is not a live window.
bool PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The handler's result, or the value given to ReplyMessage; 0 when the
// window is not live or goes away before answering.
LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Within the handling of a message sent from another thread: releases the
// sender with `result` at once (true). Elsewhere, or a second time, false.
bool ReplyMessage(LRESULT result);
// True while the message being handled was sent from another thread.
bool InSendMessage();
bool IsWindow(HWND window);
// Starts (or restarts with the new period) the window's timer `id`: every
// `ms` milliseconds the window gets WM_TIMER with the id as wParam. Called on
// the window's thread; gives `id`, or 0 when the window is not live there or
// `id` is 0. The window's timers end with it.
uintptr_t SetTimer(HWND window, uintptr_t id, UINT ms);
// Stops the timer; false when the window has no such timer running.
bool KillTimer(HWND window, uintptr_t id);
// Sends the message to every window below `window` in its object tree (with
// `deep` false, to its direct children only), in tree order. Called on the
// window's thread.
void SendMessageToDescendants(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool deep = true);
