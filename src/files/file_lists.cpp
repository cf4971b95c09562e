#include "files/file_lists.h"

#include "automation/vb.h"

namespace k72645 {

namespace {

// The count after one more element. The lists count in 32 bits, as the player's interface
// does: a list already at the largest count refuses to grow (error 6) and stays unchanged.
std::int32_t countAfterAdd(std::int32_t count) {
    return vb::addLong(count, 1);
}

// The element at a 1-based position; error 9 outside 1..count (an empty list included).
template <class T>
const T& elementAt(const std::vector<T>& elements, std::int32_t noItem) {
    if (noItem < 1 || static_cast<std::size_t>(noItem) > elements.size()) {
        throw errors::subscriptOutOfRange();
    }
    return elements[static_cast<std::size_t>(noItem - 1)];
}

}  // namespace

// --- FichierObject -------------------------------------------------------------------------

std::shared_ptr<FichierObject> FichierObject::create(Fichier record) {
    return std::shared_ptr<FichierObject>(new FichierObject(std::move(record)));
}

FichierObject::FichierObject(Fichier record) : record_(std::move(record)) {
    property(u"NomSource", [this](Arguments&) { return Variant(record_.NomSource); });
    property(u"NomDest", [this](Arguments&) { return Variant(record_.NomDest); });
    property(u"Modele", [this](Arguments&) { return Variant(record_.Modele); });
}

// --- FichiersDeTravail ---------------------------------------------------------------------

std::shared_ptr<FichiersDeTravail> FichiersDeTravail::create() {
    return std::shared_ptr<FichiersDeTravail>(new FichiersDeTravail());
}

FichiersDeTravail::FichiersDeTravail() {
    method(u"add", [this](Arguments& args) {
        add(vb::cStr(requiredArgument(args, 0)), vb::cStr(requiredArgument(args, 1)),
            vb::cBool(requiredArgument(args, 2)));
        return Variant();
    });
    method(u"count", [this](Arguments&) { return Variant(count()); });
    property(u"Item", [this](Arguments& args) {
        return Variant(FichierObject::create(item(vb::cLng(requiredArgument(args, 0)))));
    });
    defaultMember(u"Item");
}

void FichiersDeTravail::add(std::u16string siNomSource, std::u16string siNomDest, bool biModele) {
    countAfterAdd(count());
    records_.push_back(Fichier{std::move(siNomSource), std::move(siNomDest), biModele});
}

// add never lets a list grow past the largest 32-bit count, so the size always fits.
std::int32_t FichiersDeTravail::count() const {
    return static_cast<std::int32_t>(records_.size());
}

Fichier FichiersDeTravail::item(std::int32_t noItem) const {
    return elementAt(records_, noItem);
}

// --- ComplementInfo ------------------------------------------------------------------------

std::shared_ptr<ComplementInfo> ComplementInfo::create() {
    return std::shared_ptr<ComplementInfo>(new ComplementInfo());
}

ComplementInfo::ComplementInfo() {
    method(u"add", [this](Arguments& args) {
        std::u16string line = vb::cStr(requiredArgument(args, 0));
        // The second argument is a 32-bit value that callers pass as 0; it is checked as
        // the interface types it, then not used.
        const Variant& unused = argumentAt(args, 1);
        if (!unused.isMissing())
            vb::cLng(unused);
        add(std::move(line));
        return Variant();
    });
    method(u"count", [this](Arguments&) { return Variant(count()); });
    property(u"item", [this](Arguments& args) {
        return Variant(item(vb::cLng(requiredArgument(args, 0))));
    });
    defaultMember(u"item");
}

void ComplementInfo::add(std::u16string line) {
    countAfterAdd(count());
    lines_.push_back(std::move(line));
}

std::int32_t ComplementInfo::count() const {
    return static_cast<std::int32_t>(lines_.size());
}

std::u16string ComplementInfo::item(std::int32_t noItem) const {
    return elementAt(lines_, noItem);
}

}  // namespace k72645
