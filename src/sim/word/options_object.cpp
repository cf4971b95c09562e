// Word's Options object: the default file paths.
#include "automation/vb.h"
#include "sim/word/word_automation.h"
#include "sim/word/word_errors.h"
#include "sim/word/word_object.h"
#include "sim/word/word_paths.h"

namespace k72645::sim {

namespace {

constexpr std::int32_t kDocumentsPath = 0;
constexpr std::int32_t kUserTemplatesPath = 2;
constexpr std::int32_t kCurrentFolderPath = 14;

class OptionsObject : public WordObject {
public:
    explicit OptionsObject(WordPtr instance) : WordObject(std::move(instance)) {
        property(
            u"DefaultFilePath",
            [this](Arguments& args) { return Variant(path(vb::cLng(requiredArgument(args, 0)))); },
            [this](Arguments& args, const Variant& v) {
                setPath(vb::cLng(requiredArgument(args, 0)), vb::cStr(v));
            });
    }

private:
    std::u16string path(std::int32_t kind) {
        switch (kind) {
            case kDocumentsPath:
                return word().settings().documentsPath;
            case kUserTemplatesPath:
                return word().settings().templatesPath;
            case kCurrentFolderPath:
                return word().currentFolder();
            default:
                throw word_errors::invalidArgument();
        }
    }

    void setPath(std::int32_t kind, const std::u16string& folder) {
        switch (kind) {
            case kDocumentsPath:
                word().settings().documentsPath = withoutFinalSeparator(folder);
                return;
            case kUserTemplatesPath:
                word().settings().templatesPath = withoutFinalSeparator(folder);
                return;
            case kCurrentFolderPath:
                word().changeCurrentFolder(folder);
                return;
            default:
                throw word_errors::invalidArgument();
        }
    }
};

}  // namespace

DispatchPtr makeOptions(WordPtr word) {
    return std::make_shared<OptionsObject>(std::move(word));
}

}  // namespace k72645::sim
