// The hook through which a substitute host answers and records the message
// boxes of a POSIX plug-in. The host executable defines and exports
// ClayHostMessageBox; the plug-in's POSIX message-box adapter finds it at run
// time (a weak reference), so the shipped plug-in needs no special build.
#ifndef GANNET_PLATFORM_HOST_HOOK_H_
#define GANNET_PLATFORM_HOST_HOOK_H_

extern "C" {
/// Button codes: 0 OK, 1 Yes/No, 2 Yes/No/Cancel (as Win32's MB_OK,
/// MB_YESNO, MB_YESNOCANCEL). Answers: 1 OK, 2 Cancel, 6 Yes, 7 No (as
/// Win32's IDOK, IDCANCEL, IDYES, IDNO).
int ClayHostMessageBox(const char* caption, const char* text, int buttons);
}

#endif  // GANNET_PLATFORM_HOST_HOOK_H_
