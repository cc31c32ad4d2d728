#include "tests/win/common/TestDeadline.h"
#include "tests/win/common/TestSupport.h"

#include "framework/Forms.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    TApplication app;
    app.Initialize();
    app.SetTitle("Kestrovane1");
    // Tests read what would have been shown instead of a box waiting for a click.
    struct : IMessageBoxes {
        int Show(HWND, const std::string& text, const std::string& caption, UINT) override {
            TestSupport::ShownBoxes().push_back({text, caption});
            return IDOK;
        }
    } recorder;
    app.SetMessageBoxes(recorder);
    // The slowest test takes about five seconds.
    testing::UnitTest::GetInstance()->listeners().Append(new TestDeadline(30));
    return RUN_ALL_TESTS();
}
