#include "newcase/Frmpowoddodaj.h"
#include "newcase/Entrygrid.h"

#include "support/seams.h"

#include <QTest>

namespace {

class EntryGridTest : public testsupport::Test {};

// Typing straight after a click on the cell that is already current: every
// key reaches the cell (the editor opens at the click, not a moment later).
TEST_F(EntryGridTest, TypingRightAfterAClickOnTheCurrentCellKeepsEveryKey)
{
    TPowodDodaj dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    dialog.activateWindow();
    EntryGrid *grid = dialog.Grid1;
    grid->setFocus();
    grid->setCurrentCell(0, 0);
    const QRect cell = grid->visualRect(grid->model()->index(0, 0));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Spoldzielnia"));
    QTest::qWait(QApplication::doubleClickInterval() + 100);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral(" Mieszkaniowa"));
    EXPECT_EQ(dialog.Cell(0, 0), QStringLiteral("Spoldzielnia Mieszkaniowa"));
}

} // namespace
