#include "component/abstract_module_object.h"

#include "automation/vb.h"
#include "errors/error_service.h"

namespace k72645 {

namespace {
// Every member runs here: a failure of any kind leaves as a ComError.
template <class Body>
Variant atBoundary(Body&& body) {
    try {
        return body();
    } catch (...) {
        throw currentError();
    }
}

// An object argument: an object or Nothing (an Empty variant is taken as Nothing).
DispatchPtr objectArgument(const Variant& value) {
    if (value.isEmpty())
        return nullptr;
    return value.isObject() ? value.object() : toObject(value);
}

void writeBack(Arguments& args, std::size_t index, Variant value) {
    if (index < args.size() && args[index].byRef)
        args[index].value = std::move(value);
}
}  // namespace

std::shared_ptr<AbstractModuleObject> AbstractModuleObject::create(std::unique_ptr<Module> module) {
    return std::shared_ptr<AbstractModuleObject>(new AbstractModuleObject(std::move(module)));
}

AbstractModuleObject::AbstractModuleObject(std::unique_ptr<Module> module)
    : module_(std::move(module)) {
    property(u"BravoNuance", [this](Arguments&) {
        return atBoundary([&] { return Variant(module_->BravoNuance()); });
    });
    property(u"Complement", [this](Arguments&) {
        return atBoundary([&] { return Variant(module_->Complement()); });
    });
    property(u"CauseErreur", [this](Arguments&) {
        return atBoundary([&] { return Variant(module_->CauseErreur()); });
    });
    property(u"ErreurGenerale", [this](Arguments&) { return Variant(module_->ErreurGenerale()); });
    method(u"Fermer", [this](Arguments&) {
        return atBoundary([&] {
            module_->Fermer();
            return Variant();
        });
    });
    method(u"InitQuestion", [this](Arguments& args) {
        return atBoundary([&] {
            InitQuestion(args);
            return Variant();
        });
    });
    method(u"Quitter", [this](Arguments& args) {
        return atBoundary([&] {
            Quitter(args);
            return Variant();
        });
    });
    method(u"TestePoint", [this](Arguments&) {
        return atBoundary([&] {
            module_->TestePoint();
            return Variant();
        });
    });
}

void AbstractModuleObject::InitQuestion(Arguments& args) {
    const std::int32_t ilQuestion = vb::cLng(requiredArgument(args, 0));
    const std::u16string isPathDossier = vb::cStr(requiredArgument(args, 1));
    DispatchPtr ioApplication = objectArgument(requiredArgument(args, 2));
    std::int32_t ioHandleLogiciel = vb::cLng(requiredArgument(args, 3));
    std::optional<std::u16string> isPathModele;
    if (!argumentAt(args, 4).isMissing())
        isPathModele = vb::cStr(argumentAt(args, 4));

    // What InitQuestion left in its two by-reference arguments reaches the caller, also when
    // it fails part-way.
    const auto giveBack = [&] {
        writeBack(args, 2, Variant(ioApplication));
        writeBack(args, 3, Variant(ioHandleLogiciel));
    };
    try {
        module_->InitQuestion(ilQuestion, isPathDossier, ioApplication, ioHandleLogiciel,
                              isPathModele);
    } catch (...) {
        giveBack();
        throw;
    }
    giveBack();
}

void AbstractModuleObject::Quitter(Arguments& args) {
    DispatchPtr ioApplication = objectArgument(requiredArgument(args, 0));
    std::int32_t ioHandleLogiciel = vb::cLng(requiredArgument(args, 1));
    const auto giveBack = [&] {
        writeBack(args, 0, Variant(ioApplication));
        writeBack(args, 1, Variant(ioHandleLogiciel));
    };
    try {
        module_->Quitter(ioApplication, ioHandleLogiciel);
    } catch (...) {
        giveBack();
        throw;
    }
    giveBack();
}

std::shared_ptr<AbstractModuleObject> createAbstractModule(Platform platform) {
    return AbstractModuleObject::create(std::make_unique<Module>(std::move(platform)));
}

std::shared_ptr<AbstractModuleObject> createAbstractModule() {
    return AbstractModuleObject::create(std::make_unique<Module>());
}

}  // namespace k72645
