// The tokeniser's answers to a reader that fails, through a scripted reader.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board/xml_reader.h"
#include "board_snippet.h"

using namespace tindral;
using test::Boxes;

namespace {

constexpr XmlResult kFail = static_cast<XmlResult>(0x80070057);

struct Node {
    XmlNode type;
    std::wstring name;
    std::wstring value;
    std::vector<std::pair<std::wstring, std::wstring>> attrs;
    std::wstring fail;  // "name", "value", "attr-value", "first-attr": that call fails
};

struct Script {
    std::vector<Node> nodes;
    bool open_fails = false;
    XmlSetupStep failed_step = XmlSetupStep::stream;
};
Script g_script;

class ScriptedReader : public XmlReader {
public:
    XmlResult read(XmlNode& node) override {
        if (++at_ >= static_cast<int>(g_script.nodes.size())) return xml_false;
        attr_ = -1;
        node = cur().type;
        return xml_ok;
    }
    XmlResult get_prefix(std::wstring& out) override {
        out.clear();
        return xml_ok;
    }
    XmlResult get_local_name(std::wstring& out) override {
        if (attr_ >= 0) {
            out = cur().attrs[attr_].first;
            return xml_ok;
        }
        if (cur().fail == L"name") return kFail;
        out = cur().name;
        return xml_ok;
    }
    XmlResult get_value(std::wstring& out) override {
        if (attr_ >= 0) {
            if (cur().fail == L"attr-value") return kFail;
            out = cur().attrs[attr_].second;
            return xml_ok;
        }
        if (cur().fail == L"value") return kFail;
        out = cur().value;
        return xml_ok;
    }
    XmlResult move_to_first_attribute() override {
        if (cur().fail == L"first-attr") return kFail;
        if (cur().attrs.empty()) return xml_false;
        attr_ = 0;
        return xml_ok;
    }
    XmlResult move_to_next_attribute() override {
        if (attr_ + 1 >= static_cast<int>(cur().attrs.size())) return xml_false;
        ++attr_;
        return xml_ok;
    }
    bool is_empty_element() override { return false; }
    uint32_t line_number() override { return 1; }

private:
    const Node& cur() const { return g_script.nodes[at_]; }
    int at_ = -1;
    int attr_ = -1;
};

XmlReaderSetup open_scripted(std::string_view) {
    XmlReaderSetup s;
    if (g_script.open_fails) {
        s.failed_step = g_script.failed_step;
        s.code = kFail;
        return s;
    }
    s.reader = std::make_unique<ScriptedReader>();
    return s;
}

// Runs the tokeniser on a valid beginning with the scripted reader; boxes as the user sees them.
struct ScriptedRun {
    TokenList list;
    TokeniseResult result;
    Boxes boxes;
    explicit ScriptedRun(Script script) {
        g_script = std::move(script);
        result = tokenise_bytes("<?xml version=\"1.0\"?><eagle/>", &open_scripted, list);
        boxes = test::tokenise_boxes(result);
    }
};

const Node kDecl{XmlNode::xml_declaration, L"xml", L"", {{L"version", L"1.0"}}, L""};
const Node kEagle{XmlNode::element, L"eagle", L"", {}, L""};

}  // namespace

TEST(TokeniseReaderFaults, SetupFailuresNameTheStepAndTheCode) {
    const std::pair<XmlSetupStep, std::wstring> steps[] = {
        {XmlSetupStep::stream, L"Error creating file reader, error is 80070057"},
        {XmlSetupStep::reader, L"Error creating xml reader, error is 80070057"},
        // Composed into 64 characters: the code is cut.
        {XmlSetupStep::dtd_processing,
         std::wstring(L"Error setting XmlReaderProperty_DtdProcessing, error is 80070057").substr(0, 63)},
        {XmlSetupStep::input, L"Error setting input for reader, error is 80070057"},
    };
    for (const auto& [step, text] : steps) {
        Script s;
        s.open_fails = true;
        s.failed_step = step;
        ScriptedRun run(s);
        EXPECT_EQ(run.result.status.code, LoadCode::reader_failed);
        EXPECT_EQ(run.boxes, (Boxes{{Owner::main, text, L"Tindral Error", 0x2010}}));
    }
}

TEST(TokeniseReaderFaults, NodeFailuresEndWithAnEmptyList) {
    struct Case {
        Node node;
        const wchar_t* text;
        unsigned flags;
    };
    const Case cases[] = {
        {{XmlNode::element, L"a", L"", {{L"x", L"1"}}, L"attr-value"},
         L"Error getting value, error is 80070057", 0x2011},
        {{XmlNode::element, L"a", L"", {}, L"first-attr"},
         L"Error moving to first attribute, error is 80070057", 0x2011},
        {{XmlNode::element, L"a", L"", {}, L"name"}, L"Error getting local name, error is 80070057",
         0x2010},
        {{XmlNode::end_element, L"a", L"", {}, L"name"},
         L"Error getting local name, error is 80070057", 0x2010},
        {{XmlNode::text, L"", L"t", {}, L"value"}, L"Error getting Text value, error is 80070057",
         0x2010},
        {{XmlNode::comment, L"", L"c", {}, L"value"},
         L"Error getting Comment value, error is 80070057", 0x2010},
        {{XmlNode::processing_instruction, L"pi", L"v", {}, L"value"},
         L"Error getting ProcessingInstrruction value, error is 80070057", 0x2010},
    };
    for (const Case& c : cases) {
        ScriptedRun run(Script{{kDecl, kEagle, c.node}});
        EXPECT_EQ(run.result.status.code, LoadCode::reader_failed) << c.text;
        EXPECT_EQ(run.list.count(), 0u) << c.text;
        EXPECT_EQ(run.boxes, (Boxes{{Owner::main, c.text, L"Tindral Error", c.flags}}));
    }
}

TEST(TokeniseReaderFaults, ABrokenDeclarationAttributeIsReportedAndReadingGoesOn) {
    Node decl = kDecl;
    decl.fail = L"attr-value";
    ScriptedRun run(Script{{decl, kEagle, {XmlNode::text, L"", L"t", {}, L""}}});
    EXPECT_EQ(run.result.status.code, LoadCode::ok);
    EXPECT_EQ(run.boxes,
              (Boxes{{Owner::main, L"Error getting value, error is 80070057", L"Tindral Error", 0x2011}}));
    // xml, version (its value failed), eagle, text
    ASSERT_EQ(run.list.count(), 4u);
    EXPECT_EQ(run.list.at(2).text(), L"eagle");
    EXPECT_EQ(run.list.at(3).text(), L"t");
}
