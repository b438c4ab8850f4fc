// SPDX-License-Identifier: Apache-2.0
// The emulated printer's command interpreter, without sockets.
#include "emulator/Printer.h"
#include "emulator/Control.h"
#include "emulator/Model.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

using emulator::Family;
using emulator::ModelInfo;
using emulator::Printer;
using emulator::Variant;

namespace {

const std::string STX = "\x02";
const std::string ETX = "\x03";
const char kStatusRequest[] = "~H(SMA,S~H(IMM,I~H(SEA,E~H(QWN~H(CLM,P~H(IMF,V~H(QMN~H(QIQ~H(IMP,"
                              "S~H(SPA,P~H(SPA,S~H(SPA,O~H(SEA,F";

Printer makePrinter(const std::string& model) {
    ModelInfo info;
    EXPECT_TRUE(emulator::recogniseModel(model, info)) << model;
    return Printer("p", info);
}

std::string answer(const std::string& command, const std::string& value) {
    return STX + "^S(" + command + "," + value + ETX;
}

TEST(Model, FamiliesVariantsAndDeviceIdsAgreeWithTheToolsPatterns) {
    struct Case {
        const char* model;
        Family family;
        Variant variant;
    };
    const Case cases[] = {
        {"RV-C9000", Family::C9000, Variant::Cutter},
        {"RV-C9050", Family::C9000, Variant::Cutter},
        {"RV-C2000", Family::C2000, Variant::Cutter},
        {"RV-D5510P", Family::D5000, Variant::Peeler},
        {"RV-D5500A", Family::D5000, Variant::Cutter},
        {"RV-C5020A", Family::C5000, Variant::Cutter},
        {"RV-C5000P", Family::C5000, Variant::Peeler},
    };
    // The patterns by which the tool and the graphical utility classify a device ID.
    const std::regex peeler("MFG:VARDA;MDL:RV-[CD]5[05][0-5]0P.?;.*");
    const std::regex cutter("MFG:VARDA;MDL:RV-[CD](5[05][0-5]0A|20[0-5]0.?|90[0-5]0.?).?;.*");
    const std::regex c9000("MFG:VARDA;MDL:RV-C90[0-5]0.?;.*");
    const std::regex c2000("MFG:VARDA;MDL:RV-C20[0-5]0.?;.*");
    const std::regex d5000("MFG:VARDA;MDL:RV-D5[05][0-5]0.{1,2};.+");
    for (const Case& c : cases) {
        ModelInfo info;
        ASSERT_TRUE(emulator::recogniseModel(c.model, info)) << c.model;
        EXPECT_EQ(info.family, c.family) << c.model;
        EXPECT_EQ(info.variant, c.variant) << c.model;
        const std::string& id = info.deviceId;
        EXPECT_EQ(std::regex_match(id, peeler), c.variant == Variant::Peeler) << id;
        EXPECT_EQ(std::regex_match(id, cutter), c.variant == Variant::Cutter) << id;
        EXPECT_EQ(std::regex_match(id, c9000), c.family == Family::C9000) << id;
        EXPECT_EQ(std::regex_match(id, c2000), c.family == Family::C2000) << id;
        EXPECT_EQ(std::regex_match(id, d5000), c.family == Family::D5000) << id;
    }
    ModelInfo info;
    for (const char* unknown : {"RV-C7000", "RV-C5020", "XY-C9000", "", "RV-C9000AB"}) {
        EXPECT_FALSE(emulator::recogniseModel(unknown, info)) << unknown;
    }
}

TEST(PrinterStatus, AnswersEveryQueryOfTheStatusRequestInOrder) {
    Printer printer = makePrinter("RV-C9000");
    const std::string expected =
        answer("SMA,S", "IL") + answer("IMM,I", "GL") + answer("SEA,E", "NO") + STX + "WN" + ETX +
        answer("CLM,P", "IR") + answer("IMF,V", "1.00") + STX + "MN,RH" + ETX + STX +
        "IQ,RH,RH,RH,RH" + ETX + answer("IMP,S", "0") + answer("SPA,P", "F") +
        answer("SPA,S", "0") + answer("SPA,O", "NO") + answer("SEA,F", "0");
    EXPECT_EQ(printer.execute(kStatusRequest, 0), expected);
}

TEST(PrinterStatus, RecordsCarryTheStateFields) {
    struct Case {
        const char* field;
        const char* value;
        std::string record;
    };
    const Case cases[] = {
        {"state", "ER", answer("SMA,S", "ER")},
        {"error", "IE", answer("SEA,E", "IE")},
        {"pause", "NW", answer("SPA,O", "NW")},
        {"warnings", "IC1,IY1", STX + "WN,IC1,IY1" + ETX},
        {"paperPrompt", "T", answer("SPA,P", "T")},
        {"inkC", "RN", STX + "IQ,RH,RN,RH,RH" + ETX},
        {"inkY", "NA", STX + "IQ,RH,RH,RH,NA" + ETX},
        {"inkRecord", "#NA", STX + "IQ,#NA" + ETX},
        {"maintenanceBox", "RR", STX + "MN,RR" + ETX},
        {"inkModel", "MT", answer("IMM,I", "MT")},
        {"fatal", "1234", answer("SEA,F", "1234")},
    };
    for (const Case& c : cases) {
        Printer printer = makePrinter("RV-C2000");
        ASSERT_TRUE(printer.setField(c.field, c.value)) << c.field;
        EXPECT_NE(printer.execute(kStatusRequest, 0).find(c.record), std::string::npos) << c.field;
    }
    Printer printer = makePrinter("RV-C2000");
    EXPECT_FALSE(printer.setField("noSuchField", "x"));
    EXPECT_FALSE(printer.setField("functionMs", "soon"));
    // The paper source of the status is the stored setting.
    ASSERT_TRUE(printer.setSetting("paperSource", "ER"));
    EXPECT_NE(printer.execute(kStatusRequest, 0).find(answer("CLM,P", "ER")), std::string::npos);
}

// Every setting of every model: answered only where the family has it, values inside the range
// or among the codes stored, everything else refused with the old value kept.
TEST(PrinterSettings, EachFamilyHoldsItsOwnSettingsAndRefusesBadValues) {
    struct Key {
        const char* key;
        const char* command;
    };
    const Key keys[] = {
        {"paperSource", "CLM,P"},    {"paperShape", "CLM,S"},
        {"paperForm", "CLM,F"},      {"formDetectionType", "CLM,D"},
        {"formGap", "CLS,C"},        {"sideMargin", "CLS,G"},
        {"rightMargin", "CLS,R"},    {"paperCoatingType", "CLM,T"},
        {"printQuality", "CPC,Q"},   {"cutPosition", "CLP,O"},
        {"printPositionV", "CLE,T"}, {"printPositionH", "CLE,M"},
        {"peelerMode", "CMP,M"},     {"peelPositionA", "CMQ,A"},
        {"peelPositionB", "CMQ,B"},  {"incomplete_labelTreatment", "CWR,C"},
        {"edgeHole", "CLS,T"},       {"head_mediaClearanceHeight", "CMF,G"},
    };
    // Which models have which keys, as a string of 18 flags in the order above.
    struct ModelCase {
        const char* model;
        const char* has;
    };
    const ModelCase models[] = {
        {"RV-C9000", "111111111111001111"},  {"RV-C2000", "111111011111000000"},
        {"RV-D5500A", "100111011111000000"}, {"RV-C5020A", "100111011111000000"},
        {"RV-D5510P", "100111011011111000"}, {"RV-C5000P", "100111011011111000"},
    };
    for (const ModelCase& m : models) {
        Printer printer = makePrinter(m.model);
        for (std::size_t k = 0; k < std::size(keys); ++k) {
            const std::string label = std::string(m.model) + " " + keys[k].key;
            const bool has = m.has[k] == '1';
            const std::string reply = printer.execute(std::string("~H(") + keys[k].command, 0);
            EXPECT_EQ(!reply.empty(), has) << label;
            const emulator::SettingRule* rule = printer.findSetting(keys[k].key);
            ASSERT_EQ(rule != nullptr, has) << label;
            if (!has) {
                continue;
            }
            EXPECT_EQ(reply, answer(keys[k].command, rule->initial)) << label;
            std::vector<std::string> good;
            std::vector<std::string> bad = {"", "ZZ9", "1 2"};
            if (rule->position) {
                good = {std::to_string(rule->min), std::to_string(rule->max)};
                bad.push_back(std::to_string(rule->min - 1));
                bad.push_back(std::to_string(rule->max + 1));
                bad.push_back("1.5");
            } else {
                good = rule->codes;
                bad.push_back("ir");
            }
            for (const std::string& value : good) {
                printer.execute(std::string("^XA^S(") + keys[k].command + "," + value + "^XZ", 0);
                EXPECT_EQ(printer.execute(std::string("~H(") + keys[k].command, 0),
                          answer(keys[k].command, value))
                    << label << "=" << value;
            }
            const std::string before = printer.execute(std::string("~H(") + keys[k].command, 0);
            for (const std::string& value : bad) {
                printer.execute(std::string("^XA^S(") + keys[k].command + "," + value + "^XZ", 0);
                EXPECT_EQ(printer.execute(std::string("~H(") + keys[k].command, 0), before)
                    << label << "=" << value;
            }
        }
    }
}

TEST(PrinterSettings, OneRequestIsAnsweredInQueryOrderAndUnknownQueriesAreSilent) {
    Printer printer = makePrinter("RV-C5020A");
    const std::string set = "^XA^S(CMP,U,D^S(CLR,P,600^S(CLR,R,600^S(CLR,Z,600^S(CLS,C,24^S(CLM,"
                            "P,ER^S(CWR,C,Y^XZ";
    EXPECT_EQ(printer.execute(set, 0), "");
    EXPECT_EQ(printer.execute("~H(CLS,C~H(CWR,C~H(CLM,P~H(ZZZ,Q", 0),
              answer("CLS,C", "24") + answer("CLM,P", "ER"));
}

// Only what the command language has is answered; everything else gets no answer at all, so a
// tool that relies on anything more fails against this printer as it would against a real one.
TEST(PrinterCommands, QueriesOutsideTheLanguageGetNoAnswer) {
    Printer printer = makePrinter("RV-C9000");
    const char* silent[] = {
        "~H(SYN,1", "~H(SYN,0000ABCD", "~H(ABC,Z", "~H(CLS,Z",
        "~H(CLS",   "~H(CLS,C,24",     "~H(cls,c", "~H(",
        "~H(QWNX",  "~H(SMA,S,",       "~H CLS,C", "~H(CLS,C ",
        "^H(CLS,C", "~X(CLS,C",        "CLS,C",    "\x02^S(CLS,C,72\x03",
    };
    for (const char* query : silent) {
        EXPECT_EQ(printer.execute(query, 0), "") << query;
    }
    // A setting of another family is no answer either.
    EXPECT_EQ(makePrinter("RV-C2000").execute("~H(CLS,R", 0), "");
    EXPECT_EQ(printer.execute("~H(CLS,C", 0), answer("CLS,C", "72"));
}

TEST(PrinterSettings, PositionsFollowTheUnitSettings) {
    Printer printer = makePrinter("RV-C2000");
    ASSERT_TRUE(printer.setSetting("cutPosition", "-200"));
    // At 300 dpi the same position reads as half the dots, and values written are scaled up.
    printer.execute("^XA^S(CLR,P,300^XZ", 0);
    EXPECT_EQ(printer.execute("~H(CLP,O", 0), answer("CLP,O", "-100"));
    printer.execute("^XA^S(CLP,O,50^XZ", 0);
    EXPECT_EQ(printer.setting("cutPosition"), "100");
    // 200 at 300 dpi would be 400 dots, beyond the range: refused.
    printer.execute("^XA^S(CLP,O,200^XZ", 0);
    EXPECT_EQ(printer.setting("cutPosition"), "100");
    printer.execute("^XA^S(CMP,U,D^S(CLR,P,600^S(CLR,R,600^S(CLR,Z,600^XZ", 0);
    EXPECT_EQ(printer.execute("~H(CLP,O", 0), answer("CLP,O", "100"));
    printer.execute("^S(CMP,U,M^S(CLR,P,200", 0);
    EXPECT_EQ(printer.execute("~H(CMP,U~H(CLR,P", 0),
              answer("CMP,U", "D") + answer("CLR,P", "600"));
}

TEST(PrinterFunctions, FunctionsAreLoggedAndChangeTheStateForAWhile) {
    struct Case {
        const char* command;
        const char* state;
    };
    const Case cases[] = {
        {"~W(PNC", "SP"},
        {"~J(MCL,A", "CL"},
        {"~J(MCL,H", "CL"},
        {"~J(MCL,X", "IL"},
    };
    for (const Case& c : cases) {
        Printer printer = makePrinter("RV-C9000");
        ASSERT_TRUE(printer.setField("functionMs", "1000"));
        printer.execute(c.command, 5000);
        EXPECT_EQ(printer.execute("~H(SMA,S", 5999), answer("SMA,S", c.state)) << c.command;
        EXPECT_EQ(printer.execute("~H(SMA,S", 6000), answer("SMA,S", "IL")) << c.command;
        ASSERT_EQ(printer.log().size(), 3u);
        EXPECT_EQ(printer.log()[0], c.command);
    }
    Printer printer = makePrinter("RV-C9000");
    ASSERT_TRUE(printer.setField("functionMs", "-1"));
    printer.execute("~J(MCL,H", 0);
    EXPECT_EQ(printer.execute("~H(SMA,S", 1000000000), answer("SMA,S", "CL"));
    std::string running;
    printer.getField("functionState", running, 0);
    EXPECT_EQ(running, "powerCleaning");
    printer.finishFunction();
    EXPECT_EQ(printer.execute("~H(SMA,S", 0), answer("SMA,S", "IL"));
}

TEST(PrinterCommands, StrayBytesAndLineEndsBetweenCommandsAreIgnored) {
    Printer printer = makePrinter("RV-C9000");
    EXPECT_EQ(printer.execute("junk\r\n~H(CLM,P\r\n\x01~H(CLM,S\0", 0),
              answer("CLM,P", "IR") + answer("CLM,S", "RP"));
    printer.execute("^S(CLS,C,100\n^S(CLS,G,5", 0);
    EXPECT_EQ(printer.setting("formGap"), "100");
    EXPECT_EQ(printer.setting("sideMargin"), "5");
}

// The command line's form of a link behaviour: KIND, or delay:MS.
TEST(Behaviour, CommandLineFormsAreParsedStrictly) {
    struct Case {
        const char* text;
        bool ok;
        const char* name;
    };
    const Case cases[] = {
        {"prompt", true, "prompt"},
        {"dribble", true, "dribble"},
        {"delay", true, "delay:300"},
        {"delay:250", true, "delay:250"},
        {"delay:0", true, "delay:0"},
        {"keep-open", true, "keep-open"},
        {"close-after", true, "close-after"},
        {"delay:", false, ""},
        {"delay:-1", false, ""},
        {"delay:5x", false, ""},
        {"prompt:5", false, ""},
        {"Dribble", false, ""},
        {"", false, ""},
    };
    for (const Case& c : cases) {
        emulator::Behaviour behaviour;
        behaviour.kind = emulator::Behaviour::Kind::KeepOpen;
        EXPECT_EQ(emulator::parseBehaviour(c.text, behaviour), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(emulator::behaviourName(behaviour), c.name) << c.text;
        } else {
            // A refused text leaves the behaviour as it was.
            EXPECT_EQ(behaviour.kind, emulator::Behaviour::Kind::KeepOpen) << c.text;
        }
    }
}

TEST(Control, LinesChangeAndReportThePrinters) {
    std::deque<emulator::ServedPrinter> printers;
    ModelInfo info;
    ASSERT_TRUE(emulator::recogniseModel("RV-C9000", info));
    printers.push_back({Printer("c9000", info), 9123});
    emulator::Control control(printers);
    struct Case {
        const char* line;
        std::string response;
    };
    const Case cases[] = {
        {"ping", "OK\n"},
        {"list", "| c9000 9123 RV-C9000 RV-C9000 cutter " + info.deviceId + "\nOK\n"},
        {"set c9000 state ER", "OK\n"},
        {"get c9000 state", "OK ER\n"},
        {"set c9000 warnings", "OK\n"},
        {"get c9000 warnings", "OK\n"},
        {"set c9000 nothing 1", "ERR cannot set nothing\n"},
        {"get nobody state", "ERR no printer nobody\n"},
        {"setting c9000 formGap 100", "OK\n"},
        {"setting c9000 CLS,C", "OK 100\n"},
        {"setting c9000 formGap 143", "ERR refused\n"},
        {"setting c9000 peelerMode", "ERR absent\n"},
        {"fault c9000 slow data 250", "OK\n"},
        {"fault c9000 slow later", "ERR bad fault argument later\n"},
        {"fault c9000 melt", "ERR no fault melt\n"},
        {"behave c9000", "OK prompt\n"},
        {"behave c9000 delay 250", "OK\n"},
        {"behave c9000", "OK delay:250\n"},
        {"behave c9000 delay", "OK\n"},
        {"behave c9000", "OK delay:300\n"},
        {"behave c9000 keep-open 5", "ERR bad behaviour keep-open:5\n"},
        {"behave c9000 wobble", "ERR bad behaviour wobble\n"},
        {"behave c9000 delay soon", "ERR bad behaviour delay:soon\n"},
        {"behave c9000 dribble", "OK\n"},
        {"clearlog c9000", "OK\n"},
        {"log c9000", "OK\n"},
        {"set", "ERR missing printer name\n"},
        {"", "ERR commands: ping list get set setting settings log clearlog fault behave "
             "finish reset quit\n"},
    };
    for (const Case& c : cases) {
        bool quit = false;
        EXPECT_EQ(control.execute(c.line, 0, quit), c.response) << c.line;
        EXPECT_FALSE(quit) << c.line;
    }
    EXPECT_EQ(printers[0].printer.fault.kind, emulator::Fault::Kind::Slow);
    EXPECT_EQ(printers[0].printer.fault.scope, emulator::Fault::Scope::Data);
    EXPECT_EQ(printers[0].printer.fault.delayMs, 250);
    printers[0].printer.execute("^XA^S(CLM,P,\x05^XZ", 0);
    bool quit = false;
    EXPECT_EQ(control.execute("log c9000", 0, quit), "| ^XA\n| ^S(CLM,P,\\x05\n| ^XZ\nOK\n");
    EXPECT_EQ(control.execute("reset c9000", 0, quit), "OK\n");
    EXPECT_EQ(control.execute("get c9000 state", 0, quit), "OK IL\n");
    EXPECT_EQ(printers[0].printer.fault.kind, emulator::Fault::Kind::None);
    EXPECT_EQ(control.execute("behave c9000", 0, quit), "OK prompt\n");
    EXPECT_EQ(control.execute("quit", 0, quit), "OK\n");
    EXPECT_TRUE(quit);
}

} // namespace
