// The history of notes shown and their kept views, as plain objects.
#include "tests/support/gtest.h"
#include "shell/note_history.h"

namespace {

std::string Titles(const NoteHistory& history)
{
    std::string out;
    for (int i = 0; i < history.Count(); i++) {
        if (i) out += ",";
        if (i == history.Position()) out += "*";
        out += Utf8(history.TitleAt(i));
    }
    return out;
}

TEST(NoteHistory, ANewVisitDropsTheForwardPartAndTheSameNoteIsNotRepeated)
{
    NoteHistory history;
    EXPECT_EQ(history.TitleAt(0), nullptr);
    history.Record(L"A");
    history.Record(L"B");
    history.Record(L"B");
    history.Record(L"C");
    EXPECT_EQ(Titles(history), "A,B,*C");
    history.MoveTo(0);
    EXPECT_EQ(Titles(history), "*A,B,C");
    history.MoveTo(7);  // outside: stays
    EXPECT_EQ(history.Position(), 0);
    history.Record(L"D");
    EXPECT_EQ(Titles(history), "A,*D");
    history.Rename(L"A", L"Alpha");
    EXPECT_EQ(Titles(history), "Alpha,*D");
    history.Clear();
    EXPECT_EQ(Titles(history), "");
    EXPECT_EQ(history.Position(), -1);
}

TEST(NoteHistory, AFullHistoryForgetsItsOldestEntry)
{
    NoteHistory history;
    AIString title;
    for (int i = 0; i < kRecentViewCount + 3; i++) {
        title.AssignText(L"n");
        title.AppendInt(i);
        history.Record(title.GetText());
    }
    EXPECT_EQ(history.Count(), kRecentViewCount);
    EXPECT_EQ(history.Position(), kRecentViewCount - 1);
    EXPECT_EQ(Utf8(history.TitleAt(0)), "n3");
    EXPECT_EQ(Utf8(history.TitleAt(kRecentViewCount - 1)), "n66");
}

TEST(NoteViews, KeptByTitleReplacedInPlaceOldestForgotten)
{
    NoteViews views;
    EXPECT_EQ(views.Find(L"A"), nullptr);
    views.Keep(L"A", {1, 2, 3, 4, 0, 0});
    views.Keep(L"A", {5, 6, 7, 8, 2, 1});
    ASSERT_NE(views.Find(L"A"), nullptr);
    EXPECT_EQ(views.Find(L"A")->scrollX, 5);
    EXPECT_EQ(views.Find(L"A")->zoomNumerator, 2);
    views.Rename(L"A", L"B");
    EXPECT_EQ(views.Find(L"A"), nullptr);
    EXPECT_EQ(views.Find(L"B")->selectionEnd, 8);

    AIString title;
    for (int i = 0; i < kRecentViewCount; i++) {
        title.AssignText(L"n");
        title.AppendInt(i);
        views.Keep(title.GetText(), {i, 0, 0, 0, 0, 0});
    }
    EXPECT_EQ(views.Find(L"B"), nullptr);  // the oldest went
    EXPECT_EQ(views.Find(L"n0")->scrollX, 0);
    EXPECT_EQ(views.Find(L"n63")->scrollX, 63);
    views.Clear();
    EXPECT_EQ(views.Find(L"n63"), nullptr);
}

}  // namespace
