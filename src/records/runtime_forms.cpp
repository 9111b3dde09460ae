#include "records/runtime_forms.h"

#include "base/file_ops.h"

namespace records {

FormFiles formFiles(const std::string& stem) {
    return {stem + "1.frm", stem + "2.frm", stem + "3.frm", stem + "4.frm"};
}

std::string exchangeWithForm(const RecordsContext& ctx, RuntimeForms& forms, const std::string& title,
                             const FormFiles& files, const std::string& buffer) {
    const std::string frm = ctx.work("doc_frm");
    base::removeFile(frm);
    if (!buffer.empty()) base::writeFileAtomic(ctx.work("doc_buf"), buffer);
    forms.open(title, files);
    auto left = base::readFile(frm);
    base::removeFile(frm);
    if (!left) return {};
    return left.value();
}

}  // namespace records
