#pragma once
// The X error handler of the SDL2 backend (internal to it).
//
// SDL wakes an event loop that waits for the X server from other threads by sending an event to
// one of the loop's windows over a second connection. The loop may destroy that window a moment
// before the wake-up reaches the server, which then answers BadWindow; Xlib's default handler
// would end the program over an event nobody needs any more (the loop is awake already).

// Installs, once, a handler that drops exactly those errors and hands every other one to the
// handler that was installed before it. Call after SDL's video subsystem is up on X11.
void FilterStaleWakeupErrors();

// True for the errors the handler drops: BadWindow answering a SendEvent request.
bool IsStaleWakeupError(unsigned char errorCode, unsigned char requestCode);
