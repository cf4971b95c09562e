#include "sim/word/user_settings.h"

#include "sim/word/word_paths.h"

namespace k72645::sim {

UserSettings UserSettings::defaultsFor(const std::u16string& userFolder) {
    UserSettings settings;
    settings.userFolder = withoutFinalSeparator(userFolder);
    settings.documentsPath = joinPath(settings.userFolder, u"Documents");
    settings.templatesPath = joinPath(settings.userFolder, u"Templates");
    settings.commandBars = {{u"Standard", true, true, 1},
                            {u"Formatting", true, true, 1},
                            {u"Drawing", true, false, 3},
                            {u"Task Pane", true, true, 2}};
    return settings;
}

std::u16string UserSettings::normalTemplatePath() const {
    return joinPath(templatesPath, u"Normal.dot");
}

}  // namespace k72645::sim
