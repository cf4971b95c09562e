// Word's AddIns collection (global templates and add-ins loaded) and AddIn object.
#include <algorithm>

#include "automation/text.h"
#include "automation/vb.h"
#include "sim/word/word_automation.h"
#include "sim/word/word_errors.h"
#include "sim/word/word_object.h"
#include "sim/word/word_paths.h"

namespace k72645::sim {

namespace {

std::vector<AddInModel>::iterator findAddIn(std::vector<AddInModel>& addIns,
                                            const std::u16string& fullName) {
    return std::find_if(addIns.begin(), addIns.end(), [&fullName](const AddInModel& addIn) {
        return pathKey(addIn.fullName) == pathKey(fullName);
    });
}

class AddInObject : public WordObject {
public:
    AddInObject(WordPtr instance, std::u16string fullName)
        : WordObject(std::move(instance)), fullName_(std::move(fullName)) {
        readOnly(u"Name", [this] { return Variant(fileNameOf(current().fullName)); });
        readOnly(u"FullName", [this] { return Variant(current().fullName); });
        readOnly(u"Path", [this] { return Variant(folderOf(current().fullName)); });
        readWrite(
            u"Installed", [this] { return wordBool(current().installed); },
            [this](const Variant& v) { current().installed = vb::cBool(v); });
        method(u"Delete", [this](Arguments&) {
            auto& addIns = word().addIns();
            current();
            addIns.erase(findAddIn(addIns, fullName_));
            return Variant();
        });
        defaultMember(u"Name");
    }

private:
    AddInModel& current() const {
        auto& addIns = word().addIns();
        auto it = findAddIn(addIns, fullName_);
        if (it == addIns.end())
            throw word_errors::collectionMember();
        return *it;
    }

    std::u16string fullName_;
};

class AddInsObject : public WordObject {
public:
    explicit AddInsObject(WordPtr instance) : WordObject(std::move(instance)) {
        readOnly(u"Count",
                 [this] { return Variant(static_cast<std::int32_t>(word().addIns().size())); });
        method(u"Item", [this](Arguments& args) {
            const CollectionKey key = collectionKeyOf(requiredArgument(args, 0));
            const auto& addIns = word().addIns();
            if (key.position)
                return item(addIns[positionIn(*key.position, addIns.size())].fullName);
            for (const auto& addIn : addIns) {
                if (equalsIgnoreCase(fileNameOf(addIn.fullName), key.name))
                    return item(addIn.fullName);
            }
            throw word_errors::collectionMember();
        });
        method(u"Add", [this](Arguments& args) {
            const std::u16string fullName = word().resolvePath(vb::cStr(requiredArgument(args, 0)));
            if (!word().files().fileExists(fullName))
                throw word_errors::fileNotFound(fullName);
            const bool install = optionalBool(args, 1, true);
            auto& addIns = word().addIns();
            auto it = findAddIn(addIns, fullName);
            if (it == addIns.end()) {
                addIns.push_back({fullName, install});
            } else {
                it->installed = install;
            }
            return item(fullName);
        });
        defaultMember(u"Item");
    }

private:
    DispatchPtr item(const std::u16string& fullName) {
        return std::make_shared<AddInObject>(wordPtr(), fullName);
    }
};

}  // namespace

DispatchPtr makeAddIns(WordPtr word) {
    return std::make_shared<AddInsObject>(std::move(word));
}

}  // namespace k72645::sim
