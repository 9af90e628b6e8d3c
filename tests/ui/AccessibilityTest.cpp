// The window as a screen reader and a keyboard user meet it: on the top
// panel and on every tab each input has a name of its own and each group a
// name, and Tab walks the inputs as they are laid out.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <map>
#include <set>

#include "FormFixture.h"
#include "ui/EkvithGraphImage.h"
#include "ui/LogChartImage.h"

namespace {

// What a user works with, or reads as a whole (the charts), as the .ui
// files place them; the parts inside one (a spin box's edit, a grid's
// headers) are its own.  Groups are gathered on the way.
void Collect(QWidget* parent, std::vector<QWidget*>& inputs, std::vector<QWidget*>& groups)
{
    for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (qobject_cast<QAbstractButton*>(child) || qobject_cast<QAbstractSpinBox*>(child) ||
            qobject_cast<QComboBox*>(child) || qobject_cast<QLineEdit*>(child) ||
            qobject_cast<QAbstractItemView*>(child) || qobject_cast<QPlainTextEdit*>(child) ||
            qobject_cast<LogChartImage*>(child) || qobject_cast<EkvithGraphImage*>(child)) {
            inputs.push_back(child);
            continue;
        }
        if (qobject_cast<QGroupBox*>(child))
            groups.push_back(child);
        Collect(child, inputs, groups);
    }
}

// What a screen reader calls the widget.  Qt on Linux names a list after
// its current item; what the list is, readers take from its labels (its
// buddy label and the group around it).
QString SpokenName(QWidget* widget)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    if (face->role() != QAccessible::ComboBox)
        return face->text(QAccessible::Name).trimmed();
    QStringList labels;
    for (const auto& [label, relation] : face->relations(QAccessible::Label))
        labels << label->text(QAccessible::Name).trimmed();
    return labels.join(QStringLiteral(" / "));
}

// Whether b is read before a: it lies wholly above a, or beside it on the
// left without starting lower.  Inputs of different groups count where
// their groups stand.
bool ReadBefore(QWidget* b, QWidget* a)
{
    QWidget* common = a->parentWidget();
    while (!common->isAncestorOf(b))
        common = common->parentWidget();
    const auto place = [common](QWidget* w) {
        while (w->parentWidget() != common)
            w = w->parentWidget();
        return w->geometry();
    };
    const QRect at = place(a), before = place(b);
    const bool beside = before.top() <= at.bottom() && at.top() <= before.bottom();
    return before.bottom() < at.top() || (beside && before.right() < at.left() && before.top() <= at.top());
}

class AccessibilityTest : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        WriteSettings();
        CreateForm();
        BuildEveryTab();
    }

    // The top panel first, then each tab in its order.
    std::vector<QWidget*> Areas()
    {
        std::vector<QWidget*> areas{Find<QWidget>("Panel1")};
        auto* pages = Find<QTabWidget>("PageControl");
        for (int i = 0; i < pages->count(); ++i)
            areas.push_back(pages->widget(i));
        return areas;
    }
};

TEST_F(AccessibilityTest, EveryInputHasANameOfItsOwnWithinItsTabAndEveryGroupAName)
{
    for (QWidget* area : Areas()) {
        const std::string where = " on " + area->objectName().toStdString();
        std::vector<QWidget*> inputs, groups;
        Collect(area, inputs, groups);
        EXPECT_FALSE(inputs.empty()) << where;
        std::map<QString, QString> owners;  // name → input
        for (QWidget* input : inputs) {
            const QString name = SpokenName(input);
            const auto [owner, fresh] = owners.emplace(name, input->objectName());
            EXPECT_FALSE(name.isEmpty()) << input->objectName().toStdString() << where;
            EXPECT_TRUE(fresh || name.isEmpty()) << '"' << name.toStdString() << "\" names both "
                                                 << owner->second.toStdString() << " and "
                                                 << input->objectName().toStdString() << where;
        }
        for (QWidget* group : groups)
            EXPECT_FALSE(SpokenName(group).isEmpty()) << group->objectName().toStdString() << where;
    }
}

// Tab from a tab's first input on, as long as it stays on the tab: it
// reaches every input shown, each once (none keeps Tab to itself, as a text
// view typing it or a grid going on to its next cell would), in the order
// they are laid out.
TEST_F(AccessibilityTest, TabWalksEachTabAsItIsLaidOutAndOutOfEveryInput)
{
    form->show();
    QApplication::setActiveWindow(form.get());
    const auto walk = [this](QWidget* area) {
        const std::string where = area->objectName().toStdString();
        std::vector<QWidget*> inputs, groups;
        Collect(area, inputs, groups);
        const auto inputAt = [&inputs](QWidget* w) -> QWidget* {
            for (QWidget* input : inputs)
                if (w && (w == input || input->isAncestorOf(w)))
                    return input;
            return nullptr;
        };
        // Of a set of radio buttons Tab reaches the chosen one, the arrows the others.
        std::set<QWidget*> shown;
        for (QWidget* input : inputs)
            if ((input->focusPolicy() & Qt::TabFocus) && input->isVisible() && input->isEnabled() &&
                !(qobject_cast<QRadioButton*>(input) && !input->property("checked").toBool()))
                shown.insert(input);
        QWidget* first = form->nextInFocusChain();
        while (!shown.count(first))
            first = first->nextInFocusChain();
        first->setFocus(Qt::TabFocusReason);
        std::vector<QWidget*> reached;
        for (QWidget* at; (at = inputAt(QApplication::focusWidget())) && reached.size() <= shown.size();) {
            reached.push_back(at);
            Key(QApplication::focusWidget(), Qt::Key_Tab, QStringLiteral("\t"));
        }
        EXPECT_EQ(std::set<QWidget*>(reached.begin(), reached.end()), shown) << where;
        EXPECT_EQ(reached.size(), shown.size()) << where << ": Tab stays in an input";
        for (std::size_t i = 1; i < reached.size(); ++i)
            EXPECT_FALSE(ReadBefore(reached[i], reached[i - 1]))
                << where << ": Tab goes from " << reached[i - 1]->objectName().toStdString() << " back to "
                << reached[i]->objectName().toStdString();
    };
    for (QWidget* area : Areas()) {
        if (qobject_cast<TabHost*>(area))
            ShowTab(area->objectName().toLatin1().constData());
        walk(area);
    }
    // The debug views show in modes of their own.
    Find<QRadioButton>("rbDirectDebug")->click();
    walk(Find<QWidget>("tsDirect"));
    auto* types = Find<QComboBox>("cbDirectDebugType");
    types->setCurrentIndex(1);
    emit types->activated(1);
    walk(Find<QWidget>("tsDirect"));
}

}  // namespace
