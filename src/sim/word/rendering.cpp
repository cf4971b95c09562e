#include "sim/word/rendering.h"

#include <chrono>
#include <ctime>

namespace k72645::sim {

RenderContext renderContextFor(const DocumentModel& document, Edition edition, double now) {
    RenderContext context;
    context.showFieldCodes = document.window.showFieldCodes;
    context.englishEdition = edition == Edition::English;
    context.now = now;
    const MergeSettings& merge = document.merge();
    context.mergeValue = [](std::u16string_view) { return std::nullopt; };
    if (merge.dataSource) {
        std::shared_ptr<DataSource> source = merge.dataSource;
        context.recordValue = [source](std::u16string_view field) -> std::optional<std::u16string> {
            // A field the data source lacks shows nothing rather than failing the read.
            if (!source->database().fieldIndex(field))
                return std::u16string();
            return source->valueByName(field);
        };
        // While the merge's field codes are viewed, merge fields show their names.
        if (!merge.viewFieldCodes)
            context.mergeValue = context.recordValue;
    }
    return context;
}

double localNow() {
    const std::time_t seconds = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    // Days from 1899-12-30 to the local calendar date, then the time of day.
    const std::chrono::year_month_day date{std::chrono::year{local.tm_year + 1900},
                                           std::chrono::month{unsigned(local.tm_mon + 1)},
                                           std::chrono::day{unsigned(local.tm_mday)}};
    const std::chrono::year_month_day epoch{std::chrono::year{1899}, std::chrono::month{12},
                                            std::chrono::day{30}};
    const auto days = (std::chrono::sys_days(date) - std::chrono::sys_days(epoch)).count();
    const double time = (local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec) / 86400.0;
    return static_cast<double>(days) + time;
}

}  // namespace k72645::sim
