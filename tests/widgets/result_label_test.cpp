#include "widgets/result_label.h"

#include <QImage>
#include <gtest/gtest.h>

namespace kc::widgets {
namespace {

QImage drawn(QLabel& label, const QString& text) {
    label.setText(text);
    label.setAlignment(Qt::AlignLeading | Qt::AlignTop);
    label.resize(200, 40);
    return label.grab().toImage();
}

TEST(ResultLabel, KeepsTheCarriageReturnInItsTextButDrawsOnlyTheLineBreak) {
    ResultLabel result;
    QLabel plain;
    const QImage withCarriageReturn = drawn(result, QStringLiteral("10 colonists\n\r20 installations"));
    EXPECT_EQ(result.text(), QStringLiteral("10 colonists\n\r20 installations"));
    EXPECT_EQ(withCarriageReturn, drawn(plain, QStringLiteral("10 colonists\n20 installations")));
    EXPECT_NE(withCarriageReturn, drawn(plain, QStringLiteral("10 colonists\n 20 installations")));
}

} // namespace
} // namespace kc::widgets
