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

namespace {

// A row holds few distinct marks: each is matched against the formulas once.
struct MarkCount {
    std::string_view mark;
    int count = 0;
    double value = 0;  // the mark's numeric value, 0 when it is not a number
};

std::vector<MarkCount> countMarks(const DayCells& cells, int first, int last) {
    std::vector<MarkCount> marks;
    const int to = std::min(last, int(cells.size()));
    for (int d = std::max(first, 1); d <= to; ++d) {
        const std::string_view m = trimmed(cells[std::size_t(d - 1)]);
        if (m.empty()) continue;
        auto it = std::find_if(marks.begin(), marks.end(), [&](const MarkCount& c) { return c.mark == m; });
        if (it == marks.end()) {
            marks.push_back({m, 0, base::parseNumber(m).value_or(0)});
            it = marks.end() - 1;
        }
        ++it->count;
    }
    return marks;
}

}  // namespace

std::vector<std::string> monthResults(const MonthLayout& layout, const DayCells& cells, int first, int last) {
    const std::vector<MarkCount> marks = countMarks(cells, first, last);
    std::vector<std::string> out;
    out.reserve(layout.results.size());
    for (const ResultColumn& r : layout.results) {
        double sum = 0;
        if (!r.plusHash)
            for (const MarkCount& m : marks)
                if (formulaNamesMark(r.formula, m.mark)) sum += r.kind == 'R' ? m.count : m.count * m.value;
        out.push_back(resultText(sum));
    }
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
