#include "platform/TextValues.h"
#include "platform/Log.h"

#include <QLoggingCategory>

#include <gtest/gtest.h>

namespace {

TEST(TextValues, BooleanValueOfStoredText) {
    const std::pair<const char*, bool> cases[] = {
        {"1", true},      {"YES", true},    {"yes", true}, {"True", true}, {"t", true}, {"  +007", true},
        {"-1", true},     {"9lives", true}, {"0", false},  {"no", false},  {"", false}, {"000", false},
        {"  0x1", false}, {"false", false}, {"N", false},  {" 00Y", true},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(boolValueOfText(QString::fromLatin1(text)), expected) << '"' << text << '"';
}

TEST(TextValues, IntegerValueOfStoredText) {
    const std::pair<const char*, int> cases[] = {
        {"0", 0},  {"1", 1}, {" 12abc", 12}, {"-3", -3},
        {"+4", 4}, {"", 0},  {"abc", 0},     {"99999999999", 2147483647},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(intValueOfText(QString::fromLatin1(text)), expected) << '"' << text << '"';
}

} // namespace

namespace {

TEST(Log, TracesAreOffUnlessAskedForAndTheSinkHearsThem) {
    QStringList heard;
    setLogSink([&heard](const QString& line) { heard.append(line); });
    EXPECT_FALSE(tracesShown());
    traceLine(u"1st if"_qs);
    logLine(u"Cannot open the catalogue"_qs);
    EXPECT_EQ(heard, (QStringList{u"1st if"_qs, u"Cannot open the catalogue"_qs}));
    QLoggingCategory::setFilterRules(u"cityguide.trace.debug=true"_qs);
    EXPECT_TRUE(tracesShown());
    QLoggingCategory::setFilterRules(QString());
    EXPECT_FALSE(tracesShown());
    setLogSink(nullptr);
}

} // namespace
