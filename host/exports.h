// The plugin's two exports, with C linkage, as the chat-robot host calls them. Texts crossing the
// boundary are NUL-terminated GBK strings; a null pointer is the empty text.
#pragma once

#if defined(_WIN32) && !defined(_WIN64)
#define VEXLO_STDCALL __stdcall
#else
#define VEXLO_STDCALL
#endif

#if defined(_WIN32)
#define VEXLO_EXPORT  // the module definition file names the exports and their ordinals
#else
#define VEXLO_EXPORT __attribute__((visibility("default")))
#endif

extern "C" {

// Returns the ten-line description of the plugin, every line ended by CR LF; never null. Valid
// until the next call of info or the unload.
VEXLO_EXPORT const char* info();

// Handles one chat message (`message` is the text after the trigger word) and returns the reply;
// an empty reply may be an empty string or null. Valid until the next call of plugmain or the
// unload; the host copies it. The host's texts are only read, and only during the call; `extra` is
// never read. Removes its five arguments from the stack (stdcall) on 32-bit Windows.
VEXLO_EXPORT const char* VEXLO_STDCALL plugmain(const char* message, const char* chatKind,
                                                const char* groupId, const char* senderId,
                                                const char* extra);
}
