#include "sim/story/field_evaluation.h"

#include <cstdlib>
#include <optional>

#include "automation/text.h"
#include "sim/story/date_picture.h"

namespace k72645::sim {

namespace {

// A field code's words, split into its arguments and its switches (\@ "picture", \d "text").
struct FieldArguments {
    std::vector<std::u16string> positional;
    std::vector<std::pair<char16_t, std::u16string>> switches;  // letter lower-cased

    std::optional<std::u16string> switchArgument(char16_t letter) const {
        for (const auto& [l, argument] : switches) {
            if (l == letter)
                return argument;
        }
        return std::nullopt;
    }
};

// Switches that take the following word as their argument: \@ (date picture), \* and \#
// (formats), \d (FILLIN default), \b and \f (MERGEFIELD text before and after), \p (prompt).
bool switchTakesArgument(char16_t letter) {
    return letter == u'@' || letter == u'*' || letter == u'#' || letter == u'd' || letter == u'b' ||
           letter == u'f' || letter == u'p';
}

FieldArguments splitArguments(const std::vector<FieldWord>& words) {
    FieldArguments args;
    for (std::size_t k = 1; k < words.size(); ++k) {
        const FieldWord& w = words[k];
        if (w.quoted || w.text.size() < 2 || w.text[0] != u'\\') {
            args.positional.push_back(w.text);
            continue;
        }
        const char16_t letter = lowerChar(w.text[1]);
        if (w.text.size() == 2 && switchTakesArgument(letter) && k + 1 < words.size()) {
            args.switches.emplace_back(letter, words[++k].text);
        } else {
            args.switches.emplace_back(letter, w.text.substr(2));
        }
    }
    return args;
}

std::optional<double> readNumber(std::u16string_view text) {
    const std::u16string trimmed = trim(text);
    std::string ascii;
    std::size_t k = 0;
    if (k < trimmed.size() && (trimmed[k] == u'-' || trimmed[k] == u'+'))
        ascii += char(trimmed[k++]);
    bool digits = false;
    bool point = false;
    for (; k < trimmed.size(); ++k) {
        const char16_t c = trimmed[k];
        if (c >= u'0' && c <= u'9') {
            ascii += static_cast<char>(c);
            digits = true;
        } else if ((c == u'.' || c == u',') && !point) {
            ascii += '.';
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digits)
        return std::nullopt;
    // strtod, unlike stod, does not throw for a number too large: it gives infinity.
    return std::strtod(ascii.c_str(), nullptr);
}

std::u16string mergeField(const FieldArguments& args, const RenderContext& context) {
    if (args.positional.empty())
        return {};
    const std::u16string& name = args.positional[0];
    if (context.mergeValue) {
        if (std::optional<std::u16string> value = context.mergeValue(name))
            return *value;
    }
    return u"\u00AB" + name + u"\u00BB";
}

std::u16string ifField(const FieldArguments& args) {
    const auto& p = args.positional;
    if (p.size() < 3)
        return {};
    const bool holds = compareOperands(p[0], p[1], p[2]);
    const std::size_t chosen = holds ? 3 : 4;
    return chosen < p.size() ? p[chosen] : std::u16string();
}

}  // namespace

bool compareOperands(std::u16string_view left, std::u16string_view op, std::u16string_view right) {
    int order = 0;  // <0, 0, >0 as left is less than, equal to, greater than right
    const std::optional<double> l = readNumber(left);
    const std::optional<double> r = readNumber(right);
    if (l && r) {
        order = *l < *r ? -1 : (*l > *r ? 1 : 0);
    } else {
        const int c = left.compare(right);
        order = c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    if (op == u"=")
        return order == 0;
    if (op == u"<>")
        return order != 0;
    if (op == u"<")
        return order < 0;
    if (op == u">")
        return order > 0;
    if (op == u"<=")
        return order <= 0;
    if (op == u">=")
        return order >= 0;
    return false;
}

std::u16string evaluateFieldWords(const std::vector<FieldWord>& words,
                                  const RenderContext& context) {
    if (words.empty() || words[0].quoted)
        return {};
    const std::u16string keyword = ucase(words[0].text);
    const FieldArguments args = splitArguments(words);
    if (keyword == u"MERGEFIELD")
        return mergeField(args, context);
    if (keyword == u"IF")
        return ifField(args);
    if (keyword == u"DATE") {
        return formatDatePicture(context.now, args.switchArgument(u'@').value_or(u"dd/MM/yyyy"));
    }
    if (keyword == u"TIME") {
        return formatDatePicture(context.now, args.switchArgument(u'@').value_or(u"HH:mm"));
    }
    if (keyword == u"PAGE")
        return u"1";
    if (keyword == u"FILLIN")
        return args.switchArgument(u'd').value_or(u"");
    if (keyword == u"NEXT") {
        return context.englishEdition ? u"\u00ABNext Record\u00BB"
                                      : u"\u00ABEnregistrement suivant\u00BB";
    }
    return {};
}

}  // namespace k72645::sim
