#include <gtest/gtest.h>

#include "base/cp_literal.h"
#include "ui/qt_text.h"

TEST(QtText, RoundTripsEveryByte) {
    std::string all;
    for (int b = 1; b < 256; ++b) all.push_back(char(b));
    EXPECT_EQ(ui::fromQ(ui::toQ(all)), all);
    EXPECT_EQ(ui::toQ("Уволен"_cp), QString::fromUtf8("Уволен"));
    EXPECT_EQ(ui::fromQ(QString::fromUtf8("№ трудовой")), "№ трудовой"_cp);
}
