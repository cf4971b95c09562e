// The Module as the player reaches it: an object whose eight AbstractModule members are called
// by name (BravoNuance, Complement, CauseErreur, ErreurGenerale, Fermer, InitQuestion, Quitter,
// TestePoint). InitQuestion and Quitter write ioApplication and ioHandleLogiciel back into the
// caller's by-reference arguments. This is the component's boundary: only ComError leaves it.
#pragma once

#include <memory>

#include "automation/automation_object.h"
#include "component/module.h"

namespace k72645 {

class AbstractModuleObject : public AutomationObject {
public:
    static std::shared_ptr<AbstractModuleObject> create(std::unique_ptr<Module> module);
    Module& module() { return *module_; }

private:
    explicit AbstractModuleObject(std::unique_ptr<Module> module);
    void InitQuestion(Arguments& args);
    void Quitter(Arguments& args);

    std::unique_ptr<Module> module_;
};

// A Module on the given ports (a simulated world's Platform), as the player creates it.
std::shared_ptr<AbstractModuleObject> createAbstractModule(Platform platform);
// A Module on the platform this build runs on.
std::shared_ptr<AbstractModuleObject> createAbstractModule();

}  // namespace k72645
