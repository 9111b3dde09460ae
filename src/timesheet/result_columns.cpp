#include "timesheet/result_columns.h"

#include <algorithm>

#include "base/number_format.h"
#include "timesheet/definitions.h"
#include "timesheet/text_util.h"

namespace timesheet {

double countResult(const ResultColumn& column, const DayCells& cells, int first, int last,
                   const std::function<bool(int day)>& eligible) {
    double sum = 0;
    const int to = std::min(last, int(cells.size()));
    for (int d = std::max(first, 1); d <= to; ++d) {
        const std::string& mark = cells[std::size_t(d - 1)];
        if (eligible && !eligible(d)) continue;
        if (!formulaNamesMark(column.formula, mark)) continue;
        if (column.kind == 'R') sum += 1;
        else if (const auto v = base::parseNumber(mark)) sum += *v;
    }
    return sum;
}

std::string resultText(double value) { return value > 0 ? base::formatNumber(value) : std::string(); }

std::vector<std::string> monthResults(const MonthLayout& layout, const DayCells& cells, int first, int last) {
    std::vector<std::string> out;
    out.reserve(layout.results.size());
    for (const ResultColumn& r : layout.results)
        out.push_back(r.plusHash ? std::string() : resultText(countResult(r, cells, first, last)));
    return out;
}

std::vector<std::string> totalResults(const MonthLayout& layout,
                                      const std::vector<const std::vector<std::string>*>& rows) {
    std::vector<std::string> out(layout.results.size());
    for (std::size_t i = 0; i < layout.results.size(); ++i) {
        if (layout.results[i].kind == 'C') continue;
        double sum = 0;
        for (const auto* row : rows)
            if (i < row->size())
                if (const auto v = base::parseNumber((*row)[i])) sum += *v;
        out[i] = resultText(sum);
    }
    return out;
}

}  // namespace timesheet
