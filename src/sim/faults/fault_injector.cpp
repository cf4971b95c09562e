#include "sim/faults/fault_injector.h"

#include <algorithm>
#include <iterator>

#include "automation/text.h"
#include "sim/word/word_errors.h"
#include "sim/word/word_instance.h"

namespace k72645::sim {

namespace {

constexpr std::int32_t kDiskFull = 61;
constexpr char16_t kInjectedDialogTitle[] = u"Microsoft Office Word";

ComError wordErrorNumbered(std::int32_t number) {
    switch (number) {
        case errors::kServerUnavailable:
            return word_errors::serverUnavailable();
        case word_errors::kCallRejected:
            return word_errors::callRejected();
        case word_errors::kCommandFailed:
            return word_errors::commandFailed();
        case word_errors::kFileNotFound:
            return word_errors::fileNotFound(u"");
        case word_errors::kCollectionMember:
            return word_errors::collectionMember();
        default:
            return word_errors::wordError(number, u"");
    }
}

ComError fileErrorNumbered(std::int32_t number) {
    if (number == kDiskFull)
        return ComError(kDiskFull, u"K72645", u"Disk full");
    return errors::runtime(number);
}

std::string describe(const Fault& fault) {
    std::string text = toUtf8(faultKindName(fault.kind));
    if (fault.kind == FaultKind::WordError || fault.kind == FaultKind::FileRefused)
        text += " " + std::to_string(fault.number);
    return text;
}

template <class Numbers>
std::int32_t drawFrom(std::mt19937_64& draws, const Numbers& numbers) {
    const auto count = static_cast<std::uint64_t>(std::size(numbers));
    return numbers[draws() % count];
}

}  // namespace

std::u16string faultKindName(FaultKind kind) {
    switch (kind) {
        case FaultKind::WordError:
            return u"WordError";
        case FaultKind::WordDies:
            return u"WordDies";
        case FaultKind::Dialog:
            return u"Dialog";
        case FaultKind::BlockingDialog:
            return u"BlockingDialog";
        case FaultKind::FileRefused:
            return u"FileRefused";
    }
    return u"";
}

std::optional<FaultKind> faultKindNamed(std::u16string_view name) {
    for (FaultKind kind : {FaultKind::WordError, FaultKind::WordDies, FaultKind::Dialog,
                           FaultKind::BlockingDialog, FaultKind::FileRefused}) {
        if (equalsIgnoreCase(name, faultKindName(kind)))
            return kind;
    }
    return std::nullopt;
}

FaultChannel channelOf(FaultKind kind) {
    return kind == FaultKind::FileRefused ? FaultChannel::FileOperation : FaultChannel::WordCall;
}

void FaultInjector::startRandom(std::uint64_t seed, double wordCallRate, double fileRate) {
    random_ = true;
    draws_.seed(seed);
    wordCallRate_ = wordCallRate;
    fileRate_ = fileRate;
}

void FaultInjector::arm(std::int64_t place, Fault fault) {
    if (channelOf(fault.kind) == FaultChannel::WordCall)
        armedWord_.push_back({wordPlace_ + place, fault});
    else
        armedFile_.push_back({filePlace_ + place, fault});
}

void FaultInjector::clearArmed() {
    armedWord_.clear();
    armedFile_.clear();
}

void FaultInjector::mark() {
    wordMark_ = wordPlace_;
    fileMark_ = filePlace_;
    sinceMark_.clear();
}

std::optional<Fault> FaultInjector::due(FaultChannel channel, std::int64_t place) {
    auto& armed = channel == FaultChannel::WordCall ? armedWord_ : armedFile_;
    const auto found = std::find_if(armed.begin(), armed.end(),
                                    [place](const Armed& a) { return a.place == place; });
    if (found != armed.end()) {
        const Fault fault = found->fault;
        armed.erase(found);
        return fault;
    }
    if (!random_)
        return std::nullopt;
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    if (channel == FaultChannel::FileOperation) {
        if (fileRate_ <= 0 || unit(draws_) >= fileRate_)
            return std::nullopt;
        return Fault{FaultKind::FileRefused, drawFrom(draws_, kInjectedFileErrors)};
    }
    if (wordCallRate_ <= 0 || unit(draws_) >= wordCallRate_)
        return std::nullopt;
    // Word's errors are the common case; a death or a dialog is rarer, as they end or hold
    // everything that follows.
    const auto pick = draws_() % 10;
    if (pick < 6)
        return Fault{FaultKind::WordError, drawFrom(draws_, kInjectedWordErrors)};
    if (pick < 8)
        return Fault{FaultKind::Dialog, 0};
    if (pick < 9)
        return Fault{FaultKind::BlockingDialog, 0};
    return Fault{FaultKind::WordDies, 0};
}

void FaultInjector::record(FaultChannel channel, std::int64_t place, const Fault& fault,
                           std::u16string_view at) {
    const std::int64_t mark = channel == FaultChannel::WordCall ? wordMark_ : fileMark_;
    sinceMark_.push_back({channel, place - mark, fault, std::u16string(at)});
    ++injected_;
    ++byKind_[describe(fault)];
}

void FaultInjector::beforeWordCall(WordInstance& word, std::u16string_view member) {
    if (paused_ > 0)
        return;
    const std::int64_t place = ++wordPlace_;
    const auto fault = due(FaultChannel::WordCall, place);
    // A Word that has already gone fails the call by itself; the fault is spent.
    if (!fault || !word.running())
        return;
    record(FaultChannel::WordCall, place, *fault, member);
    switch (fault->kind) {
        case FaultKind::WordError:
            throw wordErrorNumbered(fault->number);
        case FaultKind::WordDies:
            word.kill();
            return;
        case FaultKind::Dialog:
        case FaultKind::BlockingDialog:
            word.windows().showDialog(kInjectedDialogTitle,
                                      fault->kind == FaultKind::BlockingDialog);
            return;
        case FaultKind::FileRefused:
            return;
    }
}

void FaultInjector::beforeFileOperation(std::u16string_view operation) {
    if (paused_ > 0)
        return;
    const std::int64_t place = ++filePlace_;
    const auto fault = due(FaultChannel::FileOperation, place);
    if (!fault)
        return;
    record(FaultChannel::FileOperation, place, *fault, operation);
    throw fileErrorNumbered(fault->number);
}

}  // namespace k72645::sim
