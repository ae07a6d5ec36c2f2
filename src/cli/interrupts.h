#pragma once

namespace sp::cli {

// SIGINT, SIGTERM and SIGHUP end a headless command as the progress dialog's
// Abort ends an export: the command notices the signal at its next frame (or
// while a RENDER program runs), stops that program, removes what it made and
// its temporary work folder, and exits with 128 + the signal's number. A write
// beyond the file size limit fails as a full disk would, rather than ending the
// process.
void watchForInterrupts();

// The signal that asked to stop, or 0.
int interruptSignal();
inline bool interrupted() {
    return interruptSignal() != 0;
}
// Forgets a signal once it has been answered (a test runs several commands).
void forgetInterrupt();
inline int interruptedStatus() {
    return 128 + interruptSignal();
}

}  // namespace sp::cli
