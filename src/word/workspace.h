// The course's Word workspace: recording the learner's folders and ScreenTips setting, giving
// them back, making a folder Word's current folder, and placing the toolbars and task pane
// where the course's instructions expect them. Each reports its first refused Word call as
// "Module" and its own name.
#pragma once

#include <string>

#include "word/word_session.h"

namespace k72645 {

void SaveParamUser(WordSession& session);
void RestaureParamUser(WordSession& session);
void ChangeDir(WordSession& session, const std::u16string& folder);
void InitCommandBar(WordSession& session);

}  // namespace k72645
