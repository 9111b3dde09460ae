#include "db/sql_select.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_map>

#include "base/case_tables.h"
#include "base/cp_literal.h"
#include "base/file_ops.h"
#include "base/number_format.h"
#include "db/expr_bind.h"
#include "db/sql_result.h"
#include "db/sql_source.h"
#include "base/text_trim.h"

namespace db::sql {

using base::Status;

namespace {

constexpr std::size_t kMaxJoinRows = 2'000'000;  // a cross product beyond this is refused

bool isNumeric(FieldType t) { return t == FieldType::Numeric || t == FieldType::Float || t == FieldType::Integer; }

// The name a qualifier may use for a table: its alias, else its file name
// without folder and extension.
std::string baseName(std::string_view name) {
    std::string_view n = name;
    if (const auto slash = n.find_last_of("/\\"); slash != std::string_view::npos) n.remove_prefix(slash + 1);
    if (const auto dot = n.rfind('.'); dot != std::string_view::npos) n = n.substr(0, dot);
    return std::string(n);
}

bool qualifierNames(const TableRef& ref, std::string_view q) {
    if (q.empty()) return true;
    if (!ref.alias.empty()) return base::equalsIgnoreCase(ref.alias, q);
    return base::equalsIgnoreCase(baseName(ref.name), q);
}

int findField(const FieldList& fields, std::string_view name) {
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (base::equalsIgnoreCase(fields[i].name, name)) return int(i);
    return -1;
}

// ---- ordering ----------------------------------------------------------------------

struct OrderKey {
    int field = -1;  // in the view the keys are read from
    bool numeric = false;
    bool descending = false;
};

// Sort keys of the chosen rows, column by column. Text keys are copied,
// or read from the snapshot of the rows when there is one.
class KeyTable {
public:
    explicit KeyTable(std::vector<OrderKey> keys, const RecordSnapshot* snapshot = nullptr)
        : keys_(std::move(keys)), numbers_(keys_.size()), texts_(keys_.size()), views_(keys_.size()), snapshot_(snapshot) {}

    bool empty() const { return keys_.empty(); }
    void add(const RecordView& r) {
        for (std::size_t k = 0; k < keys_.size(); ++k) {
            if (keys_[k].numeric) {
                const auto v = expr::parseStoredNumber(r.rawField(keys_[k].field));
                numbers_[k].push_back(v ? *v : -std::numeric_limits<double>::infinity());
            } else if (snapshot_) {
                views_[k].push_back(base::trimStoredRight(snapshot_->slotField(views_[k].size(), keys_[k].field)));
            } else {
                texts_[k].emplace_back(base::trimStoredRight(r.rawField(keys_[k].field)));
            }
        }
    }
    // The order of the rows added, stable.
    std::vector<std::size_t> order(std::size_t n) const {
        std::vector<std::size_t> idx(n);
        for (std::size_t i = 0; i < n; ++i) idx[i] = i;
        std::stable_sort(idx.begin(), idx.end(), [this](std::size_t a, std::size_t b) {
            for (std::size_t k = 0; k < keys_.size(); ++k) {
                int c;
                if (keys_[k].numeric) {
                    const double x = numbers_[k][a], y = numbers_[k][b];
                    c = x < y ? -1 : (x > y ? 1 : 0);
                } else if (snapshot_) {
                    c = views_[k][a].compare(views_[k][b]);
                } else {
                    c = texts_[k][a].compare(texts_[k][b]);
                }
                if (c != 0) return keys_[k].descending ? c > 0 : c < 0;
            }
            return false;
        });
        return idx;
    }

private:
    std::vector<OrderKey> keys_;
    std::vector<std::vector<double>> numbers_;
    std::vector<std::vector<std::string>> texts_;
    std::vector<std::vector<std::string_view>> views_;  // into the snapshot, which never moves
    const RecordSnapshot* snapshot_;
};

// ---- result columns ---------------------------------------------------------------

// Gives every result column a distinct name: KOD, KOD_1, KOD_2 ...
void uniqueNames(FieldList& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        auto taken = [&](const std::string& name) {
            for (std::size_t j = 0; j < i; ++j)
                if (base::equalsIgnoreCase(fields[j].name, name)) return true;
            return false;
        };
        if (!taken(fields[i].name)) continue;
        for (int n = 1;; ++n) {
            const std::string candidate = fields[i].name + "_" + std::to_string(n);
            if (!taken(candidate)) {
                fields[i].name = candidate;
                break;
            }
        }
    }
}

// ---- single-table row choice ----------------------------------------------------------

expr::BindContext singleContext(const FieldList& fields, const TableRef& ref) {
    expr::BindContext c{fields, nullptr, {}};
    c.resolve = [&fields, ref](std::string_view q, std::string_view name) {
        if (!qualifierNames(ref, q)) return -1;
        return findField(fields, name);
    };
    return c;
}

// A top-level conjunct "FIELD = number" on a numeric field: the lookup key.
struct Lookup {
    int field = -1;
    double value = 0;
};

std::optional<Lookup> findLookup(const expr::Node* n, const FieldList& fields, const TableRef& ref) {
    if (!n) return std::nullopt;
    if (n->kind == expr::Node::Kind::And) {
        if (auto l = findLookup(n->a.get(), fields, ref)) return l;
        return findLookup(n->b.get(), fields, ref);
    }
    if (n->kind != expr::Node::Kind::Compare || n->op != expr::CompareOp::Eq) return std::nullopt;
    const expr::Operand* f = &n->lhs;
    const expr::Operand* v = &n->rhs;
    if (f->kind != expr::Operand::Kind::Field) std::swap(f, v);
    if (f->kind != expr::Operand::Kind::Field) return std::nullopt;
    if (v->kind != expr::Operand::Kind::Number && v->kind != expr::Operand::Kind::Text) return std::nullopt;
    if (!qualifierNames(ref, f->qualifier)) return std::nullopt;
    const int field = findField(fields, f->text);
    if (field < 0 || !isNumeric(fields[field].type)) return std::nullopt;
    const auto value = base::parseNumber(v->text);
    if (!value) return std::nullopt;
    return Lookup{field, *value};
}

// The chosen records, ordered, with their stored bytes when `snapshot` and
// the rows will be read out of file order (ordered, or found by lookup);
// rows in file order are read through the table's own block cache.
struct Chosen {
    std::vector<int64_t> rows;
    RecordSnapshot snapshot;
};

base::Result<Chosen> chooseRows(Table& table, const TableRef& ref, const expr::Node* where,
                                std::vector<OrderKey> order, LookupCache* lookups, bool snapshot) {
    const FieldList& fields = table.fields();
    std::unique_ptr<Expr> cond;
    if (where) {
        auto bound = expr::bind(*where, singleContext(fields, ref));
        if (!bound) return bound.status();
        cond = std::move(bound.value());
    }
    TableSource source(table, lookups);
    std::optional<std::vector<int64_t>> candidates;
    if (const auto l = findLookup(where, fields, ref)) candidates = source.lookupNumber(l->field, l->value);
    snapshot = snapshot && (!order.empty() || candidates);
    Chosen chosen{{}, snapshot ? RecordSnapshot(fields) : RecordSnapshot()};
    KeyTable keys(std::move(order), snapshot ? &chosen.snapshot : nullptr);
    std::vector<int64_t>& rows = chosen.rows;
    auto visit = [&](int64_t rec, const RecordView& r) {
        if (cond && !cond->matches(r)) return;
        rows.push_back(rec);
        if (snapshot) chosen.snapshot.add(r);
        if (!keys.empty()) keys.add(r);
    };
    Status st = candidates ? source.forEachOf(*candidates, visit) : source.forEach(visit);
    if (!st) return st;
    if (keys.empty()) return chosen;
    const std::vector<std::size_t> permutation = keys.order(rows.size());
    std::vector<int64_t> sorted;
    sorted.reserve(rows.size());
    for (std::size_t i : permutation) sorted.push_back(rows[i]);
    rows.swap(sorted);
    if (snapshot) chosen.snapshot.permute(permutation);
    return chosen;
}

Status unknownColumn(std::string_view q, std::string_view name, int pos) {
    const std::string full = q.empty() ? std::string(name) : std::string(q) + "." + std::string(name);
    return Status::invalid("Неизвестное поле \""_cp + full + "\" (позиция "_cp + std::to_string(pos) + ")");
}

base::Result<std::unique_ptr<SqlResult>> selectSingle(const std::string& folder, const Statement& s,
                                                      LookupCache* lookups) {
    const TableRef& ref = s.tables[0];
    auto opened = openTable(folder, ref, OpenMode::Shared);
    if (!opened) return opened.status();
    std::unique_ptr<Table> table = std::move(opened.value());
    const FieldList& tf = table->fields();

    FieldList fields;
    std::vector<int> columns;
    for (const SelectItem& item : s.items) {
        if (item.kind == SelectItem::Kind::Column) {
            const int f = qualifierNames(ref, item.qualifier) ? findField(tf, item.name) : -1;
            if (f < 0) return unknownColumn(item.qualifier, item.name, item.pos);
            columns.push_back(f);
            fields.push_back(tf[f]);
            if (!item.alias.empty()) fields.back().name = base::upperAnsi(item.alias);
            continue;
        }
        if (item.kind == SelectItem::Kind::TableColumns && !qualifierNames(ref, item.qualifier))
            return Status::invalid("Неизвестная таблица \""_cp + item.qualifier + "\"");
        for (std::size_t i = 0; i < tf.size(); ++i) {
            columns.push_back(int(i));
            fields.push_back(tf[i]);
        }
    }
    uniqueNames(fields);

    std::vector<OrderKey> order;
    for (const OrderItem& o : s.order) {
        const int f = qualifierNames(ref, o.qualifier) ? findField(tf, o.name) : -1;
        if (f < 0) return unknownColumn(o.qualifier, o.name, o.pos);
        order.push_back({f, isNumeric(tf[f].type), o.descending});
    }
    auto chosen = chooseRows(*table, ref, s.where.get(), std::move(order), lookups, true);
    if (!chosen) return chosen.status();
    return std::unique_ptr<SqlResult>(std::make_unique<TableResult>(std::move(table), std::move(fields), std::move(columns),
                                                                    std::move(chosen->rows),
                                                                    std::move(chosen->snapshot)));
}

// ---- joins ------------------------------------------------------------------------------

// One table of a join with its live records loaded in stored form.
struct JoinTable {
    TableRef ref;
    std::unique_ptr<Table> table;
    std::vector<int64_t> recNos;
    RecordSnapshot records;  // slot i holds record recNos[i]
    std::size_t width = 0;
    int firstColumn = 0;  // of its fields in the combined list
};

class CombinedView final : public RecordView {
public:
    CombinedView(const std::vector<JoinTable>& tables, std::vector<std::pair<int, int>> map)
        : tables_(tables), map_(std::move(map)), rows_(tables.size()) {}
    void setRow(const std::size_t* rows) { std::copy(rows, rows + tables_.size(), rows_.begin()); }
    std::string_view rawField(int field) const override {
        const auto [t, f] = map_[field];
        return tables_[t].records.slotField(rows_[t], f);
    }

private:
    const std::vector<JoinTable>& tables_;
    std::vector<std::pair<int, int>> map_;  // combined field -> (table, field)
    std::vector<std::size_t> rows_;
};

std::string joinKey(FieldType type, std::string_view raw) {
    if (isNumeric(type)) {
        const auto v = expr::parseStoredNumber(raw);
        return v ? base::formatNumber(*v) : std::string();
    }
    return std::string(base::trimStored(raw));
}

void conjuncts(const expr::Node* n, std::vector<const expr::Node*>& out) {
    if (!n) return;
    if (n->kind == expr::Node::Kind::And) {
        conjuncts(n->a.get(), out);
        conjuncts(n->b.get(), out);
        return;
    }
    out.push_back(n);
}

base::Result<std::unique_ptr<SqlResult>> selectJoin(const std::string& folder, const Statement& s) {
    std::vector<JoinTable> tables;
    FieldList combined;
    std::vector<std::pair<int, int>> map;
    for (const TableRef& ref : s.tables) {
        auto opened = openTable(folder, ref, OpenMode::Shared);
        if (!opened) return opened.status();
        JoinTable jt;
        jt.ref = ref;
        jt.table = std::move(opened.value());
        jt.width = jt.table->fields().size();
        jt.firstColumn = int(combined.size());
        for (std::size_t f = 0; f < jt.width; ++f) {
            combined.push_back(jt.table->fields()[f]);
            map.emplace_back(int(tables.size()), int(f));
        }
        jt.records = RecordSnapshot(jt.table->fields());
        TableSource source(*jt.table);
        Status st = source.forEach([&jt](int64_t rec, const RecordView& r) {
            jt.recNos.push_back(rec);
            jt.records.add(r);
        });
        if (!st) return st;
        tables.push_back(std::move(jt));
    }
    auto resolve = [&tables](std::string_view q, std::string_view name) {
        for (const JoinTable& jt : tables) {
            if (!qualifierNames(jt.ref, q)) continue;
            const int f = findField(jt.table->fields(), name);
            if (f >= 0) return jt.firstColumn + f;
            if (!q.empty()) return -1;
        }
        return -1;
    };
    auto tableOf = [&map](int column) { return map[column].first; };

    std::unique_ptr<Expr> cond;
    if (s.where) {
        expr::BindContext ctx{combined, resolve, {}};
        auto bound = expr::bind(*s.where, ctx);
        if (!bound) return bound.status();
        cond = std::move(bound.value());
    }

    // Partial rows: one index per joined table (row-major).
    const std::size_t n = tables.size();
    std::vector<const expr::Node*> parts;
    conjuncts(s.where.get(), parts);
    std::vector<std::size_t> rows;
    for (std::size_t i = 0; i < tables[0].recNos.size(); ++i) rows.push_back(i);
    std::size_t joined = 1;
    CombinedView view(tables, map);
    for (std::size_t t = 1; t < n; ++t) {
        // An equality between a field of this table and one already joined.
        int mine = -1, theirs = -1;
        for (const expr::Node* c : parts) {
            if (c->kind != expr::Node::Kind::Compare || c->op != expr::CompareOp::Eq) continue;
            if (c->lhs.kind != expr::Operand::Kind::Field || c->rhs.kind != expr::Operand::Kind::Field) continue;
            const int l = resolve(c->lhs.qualifier, c->lhs.text), r = resolve(c->rhs.qualifier, c->rhs.text);
            if (l < 0 || r < 0) continue;
            if (tableOf(l) == int(t) && tableOf(r) < int(t)) mine = l, theirs = r;
            else if (tableOf(r) == int(t) && tableOf(l) < int(t)) mine = r, theirs = l;
            if (mine >= 0) break;
        }
        const JoinTable& jt = tables[t];
        std::vector<std::size_t> next;
        const std::size_t width = joined + 1;
        if (mine >= 0) {
            const int mf = map[mine].second;
            const FieldType mt = combined[mine].type;
            std::unordered_map<std::string, std::vector<std::size_t>> hash;
            for (std::size_t i = 0; i < jt.recNos.size(); ++i) hash[joinKey(mt, jt.records.slotField(i, mf))].push_back(i);
            const auto [tt, tf] = map[theirs];
            const JoinTable& other = tables[tt];
            for (std::size_t r = 0; r * joined < rows.size(); ++r) {
                const std::size_t* row = &rows[r * joined];
                const std::string key = joinKey(combined[theirs].type, other.records.slotField(row[tt], tf));
                const auto it = hash.find(key);
                if (it == hash.end()) continue;
                for (std::size_t i : it->second) {
                    next.insert(next.end(), row, row + joined);
                    next.push_back(i);
                }
            }
        } else {
            if ((rows.size() / joined) * jt.recNos.size() > kMaxJoinRows)
                return Status::invalid("Слишком большой результат соединения таблиц"_cp);
            for (std::size_t r = 0; r * joined < rows.size(); ++r)
                for (std::size_t i = 0; i < jt.recNos.size(); ++i) {
                    next.insert(next.end(), rows.begin() + r * joined, rows.begin() + (r + 1) * joined);
                    next.push_back(i);
                }
        }
        rows.swap(next);
        joined = width;
    }

    // The full condition, then the order.
    std::vector<OrderKey> order;
    for (const OrderItem& o : s.order) {
        const int f = resolve(o.qualifier, o.name);
        if (f < 0) return unknownColumn(o.qualifier, o.name, o.pos);
        order.push_back({f, isNumeric(combined[f].type), o.descending});
    }
    KeyTable keys(order);
    std::vector<std::size_t> kept;
    for (std::size_t r = 0; r * n < rows.size(); ++r) {
        view.setRow(&rows[r * n]);
        if (cond && !cond->matches(view)) continue;
        kept.push_back(r);
        if (!keys.empty()) keys.add(view);
    }
    std::vector<std::size_t> finalOrder = keys.empty() ? std::vector<std::size_t>() : keys.order(kept.size());
    std::vector<int64_t> recs;
    std::vector<uint32_t> slots;
    recs.reserve(kept.size() * n);
    slots.reserve(kept.size() * n);
    for (std::size_t k = 0; k < kept.size(); ++k) {
        const std::size_t r = kept[keys.empty() ? k : finalOrder[k]];
        for (std::size_t t = 0; t < n; ++t) {
            recs.push_back(tables[t].recNos[rows[r * n + t]]);
            slots.push_back(uint32_t(rows[r * n + t]));
        }
    }

    // Result columns.
    FieldList fields;
    std::vector<JoinColumn> columns;
    for (const SelectItem& item : s.items) {
        if (item.kind == SelectItem::Kind::Column) {
            const int f = resolve(item.qualifier, item.name);
            if (f < 0) return unknownColumn(item.qualifier, item.name, item.pos);
            columns.push_back({map[f].first, map[f].second});
            fields.push_back(combined[f]);
            if (!item.alias.empty()) fields.back().name = base::upperAnsi(item.alias);
            continue;
        }
        bool any = false;
        for (std::size_t t = 0; t < n; ++t) {
            if (item.kind == SelectItem::Kind::TableColumns && !qualifierNames(tables[t].ref, item.qualifier)) continue;
            any = true;
            for (std::size_t f = 0; f < tables[t].width; ++f) {
                columns.push_back({int(t), int(f)});
                fields.push_back(tables[t].table->fields()[f]);
            }
        }
        if (!any) return Status::invalid("Неизвестная таблица \""_cp + item.qualifier + "\"");
    }
    uniqueNames(fields);
    std::vector<std::unique_ptr<Table>> owned;
    std::vector<RecordSnapshot> records;
    for (JoinTable& jt : tables) {
        owned.push_back(std::move(jt.table));
        records.push_back(std::move(jt.records));
    }
    return std::unique_ptr<SqlResult>(std::make_unique<JoinResult>(std::move(owned), std::move(records), std::move(fields),
                                                                   std::move(columns), std::move(recs),
                                                                   std::move(slots)));
}

}  // namespace

std::string tablePath(const std::string& folder, std::string_view name, bool forCreate) {
    std::string path = folder + std::string(name);
    const std::string base = baseName(name);
    const bool hasExtension = base.size() != std::string_view(name).substr(name.find_last_of("/\\") + 1).size();
    if (hasExtension) return path;
    if (forCreate || !base::fileExists(path)) path += ".DBF";
    return path;
}

base::Result<std::unique_ptr<Table>> openTable(const std::string& folder, const TableRef& ref, OpenMode mode) {
    const std::string path = tablePath(folder, ref.name);
    if (!base::fileExists(path)) return Status::notFound("Таблица "_cp + ref.name + " не найдена"_cp);
    return Table::open(path, mode);
}

base::Result<std::vector<int64_t>> selectRows(Table& table, const TableRef& ref, const expr::Node* where,
                                              LookupCache* lookups) {
    auto chosen = chooseRows(table, ref, where, {}, lookups, false);
    if (!chosen) return chosen.status();
    return std::move(chosen->rows);
}

base::Result<std::unique_ptr<SqlResult>> runSelect(const std::string& folder, const Statement& s, LookupCache* lookups) {
    if (s.tables.size() == 1) return selectSingle(folder, s, lookups);
    return selectJoin(folder, s);
}

}  // namespace db::sql
