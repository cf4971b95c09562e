// The two small lists that travel between the exercises, the Module and the player:
// FichiersDeTravail (the working files of an exercise, Fichier records) and ComplementInfo
// (the complementary text lines of a verdict). Both are reached by member name.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "automation/automation_object.h"

namespace k72645 {

// A working-file record. Reached by name as an object with the fields NomSource, NomDest and
// Modele (Modele reads back as a Boolean: True is -1).
struct Fichier {
    std::u16string NomSource;  // delivery name; may be empty (nothing delivered)
    std::u16string NomDest;    // name the exercise uses
    bool Modele = false;       // a Word template, moved into the template folder
};

// The record handed out by FichiersDeTravail.Item: a copy, with read-only fields by name.
class FichierObject : public AutomationObject {
public:
    static std::shared_ptr<FichierObject> create(Fichier record);
    const Fichier& record() const { return record_; }

private:
    explicit FichierObject(Fichier record);
    Fichier record_;
};

class FichiersDeTravail : public AutomationObject {
public:
    static std::shared_ptr<FichiersDeTravail> create();

    // Members: add(siNomSource, siNomDest, biModele), count(), Item(noItem) (error 9 outside
    // 1..count).
    void add(std::u16string siNomSource, std::u16string siNomDest, bool biModele);
    std::int32_t count() const;
    Fichier item(std::int32_t noItem) const;

private:
    FichiersDeTravail();
    std::vector<Fichier> records_;
};

class ComplementInfo : public AutomationObject {
public:
    static std::shared_ptr<ComplementInfo> create();

    // Members: add(line, unused 32-bit), count(), item(noItem) (error 9 outside 1..count).
    void add(std::u16string line);
    std::int32_t count() const;
    std::u16string item(std::int32_t noItem) const;

private:
    ComplementInfo();
    std::vector<std::u16string> lines_;
};

}  // namespace k72645
