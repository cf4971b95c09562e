#include "player/document_view.h"

#include <map>
#include <vector>

#include "automation/text.h"
#include "player/terminal_text.h"

namespace k72645::player {

namespace {

using sim::DocumentModel;
using sim::FieldSpan;
using sim::Story;

constexpr char kNoWord[] = "No Word is running.\n";
constexpr char kNoDocument[] = "Word is running with no document open.\n";

std::string styled(const char* style, std::string_view text) {
    return std::string(style) + std::string(text) + kPlain;
}

// A document's paragraphs being written, one line each.
class Lines {
public:
    // Story text made visible: the marks for paragraph, line and section breaks, tabs, no-break
    // spaces and other control characters. With breakLines, a paragraph mark or a section
    // break also ends the line.
    void text(std::u16string_view text, const char* style, bool breakLines) {
        std::u16string run;
        auto flush = [&] {
            if (!run.empty())
                append(style ? styled(style, toUtf8(run)) : toUtf8(run));
            run.clear();
        };
        for (char16_t c : text) {
            const char* mark = nullptr;
            std::string picture;
            switch (c) {
                case sim::kParagraphMark:
                    mark = "¶";
                    break;
                case sim::kSectionBreak:
                    mark = "::section break::";
                    break;
                case sim::kLineBreak:
                    mark = "↵";
                    break;
                case u'\t':
                    mark = "→";
                    break;
                case 0xA0:
                    mark = "°";
                    break;
                default:
                    if (c < 0x20 || c == 0x7F) {
                        // The Unicode picture of the control character.
                        picture = toUtf8(std::u16string(1, c == 0x7F ? u'\u2421' : 0x2400 + c));
                        mark = picture.c_str();
                    }
            }
            if (!mark) {
                run += c;
                continue;
            }
            flush();
            append(styled(kDim, mark));
            if (breakLines && (c == sim::kParagraphMark || c == sim::kSectionBreak))
                newLine();
        }
        flush();
    }

    void append(const std::string& text) {
        lines_.back() += text;
        fresh_ = false;
    }
    // What ends where a line starts belongs to the end of the line before.
    void appendToEnd(const std::string& text) {
        if (fresh_ && lines_.size() > 1)
            lines_[lines_.size() - 2] += text;
        else
            append(text);
    }
    void newLine() {
        lines_.emplace_back();
        fresh_ = true;
    }

    // The lines written; what followed the last paragraph mark joins the last line.
    std::vector<std::string> finish() {
        if (lines_.size() > 1) {
            std::string rest = std::move(lines_.back());
            lines_.pop_back();
            lines_.back() += rest;
        }
        return std::move(lines_);
    }

private:
    std::vector<std::string> lines_{1};
    bool fresh_ = true;
};

struct BookmarkMarks {
    std::vector<std::u16string> ends, empties, starts;
};

class StoryWriter {
public:
    StoryWriter(const Story& story, const sim::RenderContext& context)
        : story_(story), context_(context), fields_(story.allFields()) {
        for (const auto& b : story.bookmarks()) {
            if (b.start == b.end) {
                marks_[b.start].empties.push_back(b.name);
            } else {
                marks_[b.start].starts.push_back(b.name);
                marks_[b.end].ends.push_back(b.name);
            }
        }
    }

    std::vector<std::string> paragraphs() {
        const std::u16string& text = story_.characters();
        std::size_t p = 0;
        std::size_t nextField = 0;
        int depth = 0;  // fields open, when codes are shown
        while (p < text.size()) {
            endsAt(p, p + 1);
            startsAt(p, p + 1);
            const char16_t c = text[p];
            if (!context_.showFieldCodes && c == sim::kFieldBegin) {
                while (nextField < fields_.size() && fields_[nextField].begin < p)
                    ++nextField;
                if (nextField < fields_.size() && fields_[nextField].begin == p) {
                    // The field's result, with the bookmarks that start or end inside the field
                    // placed around it.
                    const FieldSpan field = fields_[nextField];
                    startsAt(p + 1, field.end + 1);
                    lines_.text(story_.render(field.begin, field.end + 1, context_), kFieldColour,
                                false);
                    endsAt(p + 1, field.end + 1);
                    p = field.end + 1;
                    continue;
                }
            }
            if (c == sim::kFieldBegin) {
                ++depth;
                lines_.append(styled(kFieldColour, "{"));
            } else if (c == sim::kFieldEnd) {
                depth = depth > 0 ? depth - 1 : 0;
                lines_.append(styled(kFieldColour, "}"));
            } else if (c != sim::kFieldSeparator) {
                lines_.text(std::u16string_view(text).substr(p, 1),
                            depth > 0 ? kFieldColour : nullptr, true);
            }
            ++p;
        }
        endsAt(p, p + 1);
        startsAt(p, p + 1);
        return lines_.finish();
    }

private:
    // The bookmarks ending at positions in [from, to).
    void endsAt(std::size_t from, std::size_t to) {
        for (auto it = marks_.lower_bound(from); it != marks_.end() && it->first < to; ++it) {
            for (const auto& name : it->second.ends)
                lines_.appendToEnd(styled(kBookmarkColour, "<" + toUtf8(name) + "]"));
        }
    }
    // The empty bookmarks and those starting at positions in [from, to).
    void startsAt(std::size_t from, std::size_t to) {
        for (auto it = marks_.lower_bound(from); it != marks_.end() && it->first < to; ++it) {
            for (const auto& name : it->second.empties) {
                const std::string n = toUtf8(name);
                lines_.append(styled(kBookmarkColour, "[" + n + "><" + n + "]"));
            }
            for (const auto& name : it->second.starts)
                lines_.append(styled(kBookmarkColour, "[" + toUtf8(name) + ">"));
        }
    }

    const Story& story_;
    const sim::RenderContext& context_;
    std::vector<FieldSpan> fields_;
    std::map<std::size_t, BookmarkMarks> marks_;
    Lines lines_;
};

std::string savedState(const DocumentModel& document) {
    return document.saved() ? "saved" : "unsaved changes";
}

std::string whereFrom(const DocumentModel& document) {
    const std::string file = toUtf8(document.fullName());
    switch (document.origin()) {
        case sim::DocumentOrigin::New:
            return "never saved";
        case sim::DocumentOrigin::Merged:
            return "made by a merge, never saved";
        case sim::DocumentOrigin::Template:
            return file + " (a template)";
        case sim::DocumentOrigin::Database:
            return file + " (a database opened as a document)";
        case sim::DocumentOrigin::Document:
            break;
    }
    return file;
}

std::string mainDocumentType(std::int32_t type) {
    switch (type) {
        case sim::kFormLetters:
            return "form letters";
        case sim::kMailingLabels:
            return "mailing labels";
        case 2:
            return "envelopes";
        case sim::kCatalog:
            return "catalog";
        default:
            return "main document type " + std::to_string(type);
    }
}

std::string mergeState(const DocumentModel& document) {
    const sim::MergeSettings& merge = document.merge();
    if (merge.mainDocumentType == sim::kNotAMergeDocument && !merge.dataSource &&
        merge.headerSource.empty())
        return "not a main document";
    std::string state = merge.mainDocumentType == sim::kNotAMergeDocument
                            ? "not a main document"
                            : mainDocumentType(merge.mainDocumentType);
    if (merge.dataSource) {
        state += ", data source " + toUtf8(merge.dataSource->name()) + ", record " +
                 std::to_string(merge.dataSource->activeRecord()) + " of " +
                 std::to_string(merge.dataSource->recordCount());
    } else {
        state += ", no data source";
    }
    if (!merge.headerSource.empty())
        state += ", header source " + toUtf8(merge.headerSource);
    if (merge.dataSource)
        state += merge.viewFieldCodes ? ", merge fields show their names" : ", merged data shown";
    return state;
}

std::string windows(const sim::WordInstance& word) {
    std::string list;
    for (const auto& document : word.documents()) {
        if (!list.empty())
            list += ", ";
        list += toUtf8(document->name());
        if (document == word.activeDocument())
            list += " (active)";
        if (document->window.windowState == 2)
            list += " (minimized)";
    }
    return list + "; Word " + (word.visible() ? "visible" : "hidden");
}

std::string label(const char* name) {
    return "  " + styled(kDim, name) + " ";
}

}  // namespace

std::string activeDocumentView(const sim::WordInstance* word) {
    if (!word)
        return kNoWord;
    const auto document = word->activeDocument();
    if (!document)
        return kNoDocument;
    const std::vector<std::string> lines =
        StoryWriter(document->story(), word->renderContext(*document)).paragraphs();
    const std::size_t width = std::max<std::size_t>(2, std::to_string(lines.size()).size());
    std::string view;
    for (std::size_t i = 0; i < lines.size() && i < kParagraphsShown; ++i) {
        std::string number = std::to_string(i + 1);
        number.insert(0, width - number.size(), ' ');
        view += "  " + styled(kDim, number) + "  " + lines[i] + "\n";
    }
    if (lines.size() > kParagraphsShown) {
        view += "  ... " + std::to_string(lines.size() - kParagraphsShown) + " more paragraphs\n";
    }
    view += label("document:") + toUtf8(document->name()) + ", " + savedState(*document) + ", " +
            whereFrom(*document);
    if (document->window.showFieldCodes)
        view += ", field codes shown";
    view += "\n" + label("mail merge:") + mergeState(*document) + "\n";
    view += label("windows:") + windows(*word) + "\n";
    return view;
}

std::string documentsView(const sim::WordInstance* word) {
    if (!word)
        return kNoWord;
    const auto& documents = word->documents();
    if (documents.empty())
        return kNoDocument;
    std::string view = "Word holds " + std::to_string(documents.size()) +
                       (documents.size() == 1 ? " document" : " documents") + " open:\n";
    std::size_t k = 0;
    for (const auto& document : documents) {
        view += "  " + styled(kDim, std::to_string(++k)) + "  " + toUtf8(document->name());
        if (document == word->activeDocument())
            view += " (active)";
        view += ": " + savedState(*document) + ", " + whereFrom(*document) + "\n";
    }
    return view;
}

}  // namespace k72645::player
