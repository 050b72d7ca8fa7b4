#include "app/editorcommand.h"

#include <gtest/gtest.h>

#include <QDir>

TEST(EditorCommand, PhotosHelpVersionAndBadArguments)
{
    const auto start = parseEditorArguments({ "tessera", "a.jpg", "/tmp/b.png" });
    ASSERT_TRUE(std::holds_alternative<EditorStart>(start));
    EXPECT_EQ(std::get<EditorStart>(start).photos,
              QStringList({ QDir::current().absoluteFilePath("a.jpg"), "/tmp/b.png" }));

    const struct
    {
        QStringList args;
        int status;
        const char* output;
        const char* error;
    } exits[] = {
        { { "tessera", "--help" }, 0, "Usage: tessera", "" },
        { { "tessera", "-v" }, 0, "tessera 1.", "" },
        { { "tessera", "--frobnicate", "a.jpg" }, 2, "", "frobnicate" },
    };
    for (const auto& e : exits) {
        const auto parsed = parseEditorArguments(e.args);
        ASSERT_TRUE(std::holds_alternative<EditorExit>(parsed)) << e.args.join(' ').toStdString();
        const EditorExit& exit = std::get<EditorExit>(parsed);
        EXPECT_EQ(exit.status, e.status);
        EXPECT_TRUE(exit.output.contains(QLatin1String(e.output))) << exit.output.toStdString();
        EXPECT_TRUE(exit.error.contains(QLatin1String(e.error))) << exit.error.toStdString();
        EXPECT_EQ(exit.output.isEmpty(), *e.output == 0);
    }
}
