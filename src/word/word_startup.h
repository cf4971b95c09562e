// Holding a live reference to Word: attaching to the running Word or starting one, and probing
// the reference before use, with a repair when Word no longer answers.
#pragma once

#include "word/word_session.h"

namespace k72645 {

// Attaches to the running Word when its known window is visible, starts a new Word otherwise
// (or when attaching fails), and leaves it visible, without documents, with its start-up
// setting recorded and its window's drawing locked. Failures of a direct start are reported
// as "Module" / "GetApplication".
void GetApplication(WordSession& session);

// Probes the reference with Application.Windows.Count. Tolerant (strict false): a failure is
// answered with Escape and, when Word has gone (462), a new Word; then the probe is made once
// more and its failure passes unchanged. Strict: a failure is reported as "Module" /
// "OleAccessible", after starting Word again when it had gone.
void OleAccessible(WordSession& session, bool strict);

}  // namespace k72645
