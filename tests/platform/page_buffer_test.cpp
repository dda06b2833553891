#include "platform/page_buffer.h"

#include "document/tarn_doc.h"

#include <gtest/gtest.h>

#include <QGuiApplication>

TEST(PageBuffer, DrawsOnlyWhenStaleOrResized)
{
    static int argc = 1;
    static char name[] = "corvid_platform_tests";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance())
        new QGuiApplication(argc, argv);
    CTarnDoc doc;
    PageBuffer buffer;
    struct Row { const char* step; QSize size; bool invalidate; bool drawn; };
    const Row rows[] = {{"first", {200, 100}, false, true},
                        {"unchanged", {200, 100}, false, false},
                        {"invalidated", {200, 100}, true, true},
                        {"resized", {300, 100}, false, true},
                        {"unchanged again", {300, 100}, false, false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.step);
        if (row.invalidate)
            buffer.Invalidate();
        bool drawn = false;
        const QImage& image = buffer.Image(doc, row.size, &drawn);
        EXPECT_EQ(drawn, row.drawn);
        EXPECT_EQ(image.size(), row.size);
    }
    EXPECT_EQ(buffer.DrawCount(), 3);
}
