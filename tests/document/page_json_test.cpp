#include "document/page_json.h"

#include "document/json_writer.h"
#include "document/tarn_doc.h"
#include "model/messages.h"
#include "tests/support/strict_json.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>


TEST(StrictJson, RefusesWhatStrictReadersRefuse)
{
    struct Row {
        const char* text;
        bool valid;
    };
    const Row rows[] = {
        {"{\"a\":[1,-2.5e+3,0,\"x\\u00e9\",true,null]}", true},
        {"NaN", false},
        {"[Infinity]", false},
        {"[1,]", false},
        {"[01]", false},
        {"\"\xff\"", false},
        {"\"\xc0\x80\"", false},
        {"\"\xed\xa0\x80\"", false},
        {"\"a\tb\"", false},
        {"\"\xe2\x82\xac\"", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(StrictJson::Check(row.text).empty(), row.valid) << StrictJson::Check(row.text);
    }
}

TEST(PageJson, HostilePagesAreStillValidJson)
{
    CTarnDoc doc;
    Graph& graph = doc.CurrentGraph();
    graph.m_title.m_text = "bad \xff byte, overlong \xc0\xaf, surrogate \xed\xa0\x80, cut \xe2\x82";
    graph.m_xLabel.m_text = std::string("control \x01\x1f and \"quotes\" \\ ", 27) + "\xF0\x9F\x8C\xA1";
    Plot plot;
    plot.m_info = "\x80\x81\xfe";
    plot.AddPoint(std::numeric_limits<float>::quiet_NaN(), FLT_MAX);
    plot.AddPoint(-FLT_MAX, std::numeric_limits<float>::infinity());
    plot.AddDx(-std::numeric_limits<float>::infinity());
    graph.m_plots.Append(plot);
    SilentMessages messages;
    graph.AutoScale(false, messages); // ranges of +-3.4e38 data overflow to infinities
    for (bool points : {false, true}) {
        SCOPED_TRACE(points);
        const std::string json = PageToJson(doc, points);
        EXPECT_EQ(StrictJson::Check(json), "");
    }
    EXPECT_NE(PageToJson(doc, false).find("\"bad \\ufffd byte"), std::string::npos);
    EXPECT_NE(PageToJson(doc, false).find("\xF0\x9F\x8C\xA1"), std::string::npos) << "valid UTF-8 stays as it is";
}
