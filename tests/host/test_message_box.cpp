// The host's own message box, as a person meets it: no seam answers it here.

#include "Dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

using host::MessageAnswer;

namespace {

struct Reply {
    const char *name;
    std::function<void(QMessageBox &)> act;
    MessageAnswer answer;
};

void PrintTo(const Reply &c, std::ostream *out)
{
    *out << c.name;
}

QAbstractButton *buttonNamed(QMessageBox &box, const char16_t *text)
{
    for (QAbstractButton *button : box.buttons())
        if (button->text() == QString::fromUtf16(text))
            return button;
    return nullptr;
}

const Reply kReplies[] = {
    {"Enter", [](QMessageBox &box) { QTest::keyClick(&box, Qt::Key_Return); }, MessageAnswer::Save},
    {"Escape", [](QMessageBox &box) { QTest::keyClick(&box, Qt::Key_Escape); },
     MessageAnswer::Cancel},
    {"DontSave", [](QMessageBox &box) { buttonNamed(box, u"不保存")->click(); },
     MessageAnswer::Discard},
};

class QuestionBox : public ::testing::TestWithParam<Reply> {};

} // namespace

TEST_P(QuestionBox, OffersSaveDontSaveAndCancel)
{
    QStringList texts;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        for (QAbstractButton *button : box->buttons())
            texts << button->text();
        icon = box->icon();
        title = box->windowTitle();
        EXPECT_EQ(box->defaultButton(), buttonNamed(*box, u"保存"));
        GetParam().act(*box);
    });
    const MessageAnswer answer =
        host::MsgBox({nullptr, QStringLiteral("“a.nes”已修改。"), QStringLiteral("地图编辑器"),
                      host::MessageIcon::Question, host::MessageButtons::SaveDiscardCancel});

    EXPECT_EQ(answer, GetParam().answer);
    texts.sort();
    EXPECT_EQ(texts, (QStringList{QStringLiteral("不保存"), QStringLiteral("保存"),
                                  QStringLiteral("取消")}));
    EXPECT_EQ(icon, QMessageBox::Question);
    EXPECT_EQ(title, QStringLiteral("地图编辑器"));
}

INSTANTIATE_TEST_SUITE_P(EveryReply, QuestionBox, ::testing::ValuesIn(kReplies),
                         [](const auto &param) { return std::string(param.param.name); });
