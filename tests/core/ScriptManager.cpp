// The Lua state: sandbox, bound functions through their trampolines, commands and their limits,
// the nil test, quoting, files through the file manager, and the allocation contract.
#include "core/ScriptManager.h"

#include <unistd.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <gtest/gtest.h>
#include <lua5.1/lua.hpp>

#include "core/File.h"
#include "core/FileManagerStdio.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/Random.h"
#include "tests/TestSupport.h"

using namespace Corvale;

namespace
{
// What the bound functions saw.
std::string calls;

class ScriptManagerTest : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      LogFileSet(&log);
      calls.clear();
      ASSERT_TRUE(ScriptManager::Init());
   }
   void TearDown() override
   {
      ScriptManager::Deinit();
      LogFileSet(nullptr);
   }

   // Runs a chunk that stores its answer in LuaVar.answer and returns that text.
   std::string Answer(const char* chunk)
   {
      EXPECT_TRUE(ScriptManager::Execute(chunk)) << log.text;
      const char* answer = ScriptManager::LuaVarGet("answer");
      return answer ? answer : "<null>";
   }

   // Installed as the log file by SetUp, so that tests can see the messages.
   TestSupport::MemoryFile log;
};
} // namespace

TEST_F(ScriptManagerTest, SandboxHasOnlyTheChosenLibraries)
{
   EXPECT_EQ(Answer("LuaVar.answer = type(io) .. type(os) .. type(require) .. type(package) .. type(module)"),
             "nilnilnilnilnil");
   EXPECT_EQ(Answer("LuaVar.answer = type(string) .. type(math) .. type(table) .. type(coroutine) .. "
                    "type(debug) .. type(loadfile) .. type(dofile)"),
             "tabletabletabletabletablefunctionfunction");
   EXPECT_EQ(Answer("LuaVar.answer = string.format('%d', math.floor(2.5)) .. table.concat({'a', 'b'}) .. "
                    "tostring(coroutine.resume(coroutine.create(function() end)))"),
             "2abtrue");
}

TEST_F(ScriptManagerTest, PrologueHelpersAndTableStacks)
{
   EXPECT_EQ(
       Answer("local name = GlobalTableStackInit({ inner = { leaf = 'x' } })\n"
              "GlobalTableStackPush(name, 'inner')\n"
              "local leaf = _G[name].leaf\n"
              "GlobalTableStackPop(name)\n"
              "local back = _G[name].inner.leaf\n"
              "GlobalTableStackDeinit(name)\n"
              "LuaVar.answer = leaf .. back .. tostring(_G[name]) .. tostring(GlobalTableStackGet(name))"),
       "xxnilnil");
   EXPECT_EQ(Answer("LuaVar.answer = 'ok'\n"
                    "for i = 1, 200 do\n"
                    "   local n = tonumber(string.match(GetTempName({}), '^TempTable(%d+)$'))\n"
                    "   if not n or n < 1 or n > 65536 then LuaVar.answer = 'bad' end\n"
                    "end"),
             "ok");
   EXPECT_EQ(Answer("LuaVar.answer = tostring(GlobalTableStackInit(nil))"), "nil");
}

namespace
{
bool VexecutefWithoutFormat(int unused, ...)
{
   va_list arguments;
   va_start(arguments, unused);
   const bool result = ScriptManager::Vexecutef(nullptr, arguments);
   va_end(arguments);
   return result;
}
} // namespace

TEST_F(ScriptManagerTest, CommandsOf512BytesOrMoreAreRefused)
{
   // "LuaVar.answer='" + padding + "'" built to exactly 511 and 512 bytes.
   const std::string head = "LuaVar.answer='";
   const std::string fits = head + std::string(511 - head.size() - 1, 'a') + "'";
   const std::string tooLong = head + std::string(512 - head.size() - 1, 'b') + "'";
   ASSERT_EQ(fits.size(), 511u);
   ASSERT_EQ(tooLong.size(), 512u);

   EXPECT_TRUE(ScriptManager::Executef("%s", fits.c_str()));
   ASSERT_NE(ScriptManager::LuaVarGet("answer"), nullptr);
   EXPECT_EQ(ScriptManager::LuaVarGet("answer")[0], 'a');

   log.text.clear();
   EXPECT_FALSE(ScriptManager::Executef("%s", tooLong.c_str()));
   EXPECT_NE(log.text.find("ScriptManager::Vexecutef -- command was truncated and will not be executed.\n"),
             std::string::npos);
   EXPECT_EQ(ScriptManager::LuaVarGet("answer")[0], 'a');

   log.text.clear();
   EXPECT_FALSE(VexecutefWithoutFormat(0));
   EXPECT_NE(log.text.find("command was truncated"), std::string::npos);
}

TEST_F(ScriptManagerTest, LuaErrorsAreLoggedAndReportedAsFailure)
{
   EXPECT_FALSE(ScriptManager::Execute("this is not lua"));
   EXPECT_FALSE(ScriptManager::Execute("error('boom')"));
   EXPECT_NE(log.text.find("boom\n"), std::string::npos);
   EXPECT_FALSE(ScriptManager::Execute("error({})"));
   EXPECT_EQ(lua_gettop(ScriptManager::StateGet()), 0);
}

namespace
{
void RecordSN(const char* text, float number)
{
   calls += std::string("vsn:") + (text ? text : "<null>") + "," + std::to_string(static_cast<int>(number));
}
float RecordNS(const char* text)
{
   calls += std::string("ns:") + (text ? text : "<null>");
   return 2.5f;
}
bool RecordBS(const char* text)
{
   calls += std::string("bs:") + (text ? text : "<null>");
   return text != nullptr;
}
void RecordNB(float number, bool flag)
{
   calls += "vnb:" + std::to_string(static_cast<int>(number)) + (flag ? ",true" : ",false");
}
const char* RecordSS(const char* text)
{
   calls += std::string("ss:") + (text ? text : "<null>");
   return text && std::strcmp(text, "null") == 0 ? nullptr : "back";
}
float RecordNNNS(float a, float b, const char* c)
{
   calls += "nnns:" + std::to_string(static_cast<int>(a)) + "," + std::to_string(static_cast<int>(b)) + "," +
            (c ? c : "<null>");
   return a + b;
}
void RecordV()
{
   calls += "v";
}
} // namespace

TEST_F(ScriptManagerTest, TrampolinesConvertArgumentsAndResultsBySignature)
{
   ASSERT_TRUE(ScriptManager::FunctionRegister("SN", RecordSN));
   ASSERT_TRUE(ScriptManager::FunctionRegister("NS", RecordNS));
   ASSERT_TRUE(ScriptManager::FunctionRegister("BS", RecordBS));
   ASSERT_TRUE(ScriptManager::FunctionRegister("NB", RecordNB));
   ASSERT_TRUE(ScriptManager::FunctionRegister("SS", RecordSS));
   ASSERT_TRUE(ScriptManager::FunctionRegister("NNNS", RecordNNNS));
   ASSERT_TRUE(ScriptManager::FunctionRegister("V", RecordV));

   const struct
   {
      const char* chunk;
      const char* calls;
      const char* answer;
   } cases[] = {
       // A number where a text is expected arrives as its text, and a numeric text as a number.
       {"SN(12, '3')", "vsn:12,3", nullptr},
       // Neither a number nor a numeric text: 0 and null.
       {"SN({}, 'x')", "vsn:<null>,0", nullptr},
       {"LuaVar.answer = tostring(NS({}))", "ns:<null>", "2.5"},
       {"LuaVar.answer = tostring(BS('a')) .. tostring(BS(nil))", "bs:abs:<null>", "truefalse"},
       {"NB(7, nil) NB(7, 0)", "vnb:7,falsevnb:7,true", nullptr},
       {"LuaVar.answer = SS('x') .. tostring(SS('null'))", "ss:xss:null", "backnil"},
       {"LuaVar.answer = tostring(NNNS(1, 2, 'c'))", "nnns:1,2,c", "3"},
       {"LuaVar.answer = tostring(select('#', V()))", "v", "0"},
   };
   for (const auto& c : cases)
   {
      calls.clear();
      ASSERT_TRUE(ScriptManager::Execute(c.chunk)) << c.chunk << "\n" << log.text;
      EXPECT_EQ(calls, c.calls) << c.chunk;
      if (c.answer)
      {
         const char* answer = ScriptManager::LuaVarGet("answer");
         EXPECT_STREQ(answer ? answer : "<null>", c.answer) << c.chunk;
      }
   }
}

TEST_F(ScriptManagerTest, TrampolinesRefuseAnythingButTheirOwnBoundFunction)
{
   ASSERT_TRUE(ScriptManager::FunctionRegister("V", RecordV));
   ASSERT_TRUE(ScriptManager::FunctionRegister("SS", RecordSS));
   const char* const abuses[] = {
       // The proxy's trampoline called directly, with a table or nothing as the function.
       "__methodproxyv.__call(__methodproxyv)",
       "__methodproxyv.__call()",
       // A userdata of another kind dressed up with a proxy as metatable.
       "local p = newproxy(true) debug.setmetatable(p, __methodproxyv) p()",
       // A bound function moved under another signature's proxy.
       "debug.setmetatable(V, __methodproxyss) V('a')",
   };
   for (const char* abuse : abuses)
   {
      calls.clear();
      EXPECT_FALSE(ScriptManager::Execute(abuse)) << abuse;
      EXPECT_EQ(calls, "") << abuse;
   }
   // A script that replaces the global proxy cannot break later bindings.
   ASSERT_TRUE(ScriptManager::Execute("__methodproxyv = 5"));
   ASSERT_TRUE(ScriptManager::FunctionRegister("V2", RecordV));
   ASSERT_TRUE(ScriptManager::Execute("V2()"));
   EXPECT_EQ(calls, "v");
}

TEST_F(ScriptManagerTest, RandomTakesOneGeneratorStepPerCall)
{
   randomState0 = 0x12345678u;
   randomState1 = 0x9ABCDEF0u;
   for (int i = 0; i < 50; ++i)
   {
      const u32 state0 = randomState0;
      const u32 state1 = randomState1;
      const u32 expected = RandomIntegerGet(6) + 1;
      const u32 after0 = randomState0;
      const u32 after1 = randomState1;
      randomState0 = state0;
      randomState1 = state1;

      ASSERT_TRUE(ScriptManager::Execute("LuaVar.answer = tostring(Random(6))"));
      const char* answer = ScriptManager::LuaVarGet("answer");
      ASSERT_NE(answer, nullptr);
      EXPECT_EQ(std::atoi(answer), static_cast<int>(expected));
      EXPECT_GE(std::atoi(answer), 1);
      EXPECT_LE(std::atoi(answer), 6);
      EXPECT_EQ(randomState0, after0);
      EXPECT_EQ(randomState1, after1);
   }
   // Negative, NaN and infinite ranges never reach an unsigned conversion unclamped.
   EXPECT_EQ(Answer("LuaVar.answer = tostring(Random(-5)) .. tostring(Random(0/0)) .. tostring(Random(0))"),
             "111");
   EXPECT_TRUE(ScriptManager::Execute("Random(math.huge) Random(-math.huge) Random(1e300)"));
}

TEST_F(ScriptManagerTest, ExpressionNilCheck)
{
   EXPECT_FALSE(ScriptManager::ExpressionNilCheckf("%d", 1));
   EXPECT_EQ(Answer("LuaVar.answer = tostring(LuaVar.TempIsExpressionNil)"), "nil");
   EXPECT_TRUE(ScriptManager::ExpressionNilCheckf("nil"));
   EXPECT_TRUE(ScriptManager::ExpressionNilCheckf("LuaVar.%s", "missing"));

   log.text.clear();
   EXPECT_TRUE(ScriptManager::ExpressionNilCheckf("Foo.Bar"));
   EXPECT_NE(log.text.find("ScriptManager::VexpressionNilCheckf -- expression contained Lua error(s).  "
                           "returning true: Foo.Bar\n"),
             std::string::npos);

   // 484 characters fit beside the assignment; 485 do not.
   const std::string fits = "'" + std::string(482, 'x') + "'";
   const std::string tooLong = "'" + std::string(483, 'x') + "'";
   log.text.clear();
   EXPECT_FALSE(ScriptManager::ExpressionNilCheckf("%s", fits.c_str())) << log.text;
   EXPECT_TRUE(ScriptManager::ExpressionNilCheckf("%s", tooLong.c_str()));
   EXPECT_NE(
       log.text.find("ScriptManager::VexpressionNilCheckf -- expression is too long to test whether it is "
                     "nil.  returning true: "),
       std::string::npos);
}

TEST_F(ScriptManagerTest, LuaVarAccessSurvivesScriptsThatReplaceIt)
{
   ASSERT_TRUE(ScriptManager::Execute("LuaVar.text = 'hello' LuaVar.number = 3 T = { k = 1 }"));
   EXPECT_STREQ(ScriptManager::LuaVarGet("text"), "hello");
   EXPECT_EQ(ScriptManager::LuaVarGet("number"), nullptr);
   EXPECT_EQ(ScriptManager::LuaVarGet("missing"), nullptr);
   EXPECT_EQ(ScriptManager::LuaVarGet(nullptr), nullptr);
   ScriptManager::TableFieldClear("T", "k");
   EXPECT_EQ(Answer("LuaVar.answer = tostring(T.k)"), "nil");
   ScriptManager::TableFieldClear("NoSuchTable", "k");

   ASSERT_TRUE(ScriptManager::Execute("setmetatable(LuaVar, { __index = function() error('trap') end })"));
   EXPECT_EQ(ScriptManager::LuaVarGet("missing"), nullptr);
   ASSERT_TRUE(ScriptManager::Execute("LuaVar = 7"));
   EXPECT_EQ(ScriptManager::LuaVarGet("text"), nullptr);
   EXPECT_TRUE(ScriptManager::ExpressionNilCheckf("1"));
   EXPECT_EQ(lua_gettop(ScriptManager::StateGet()), 0);
}

TEST_F(ScriptManagerTest, QuotedStringsStayInsideTheirLiteral)
{
   char* nilText = ScriptManager::QuotedStringCreate(nullptr);
   EXPECT_STREQ(nilText, "nil");
   MemoryFree(nilText);

   char* plain = ScriptManager::QuotedStringCreate("Deal");
   EXPECT_STREQ(plain, "\"Deal\"");
   MemoryFree(plain);

   const char* const texts[] = {
       "say \"hi\"",  "back\\slash\\", "line\nbreak\r\ttab\x01\x7f end", "\"; LuaVar.answer = 'escaped' --",
       "trailing \\", "digits\0011"};
   for (const char* text : texts)
   {
      char* quoted = ScriptManager::QuotedStringCreate(text);
      ASSERT_NE(quoted, nullptr);
      ASSERT_TRUE(ScriptManager::Executef("LuaVar.answer = nil LuaVar.q = %s", quoted)) << quoted;
      EXPECT_STREQ(ScriptManager::LuaVarGet("q"), text);
      EXPECT_EQ(ScriptManager::LuaVarGet("answer"), nullptr);
      MemoryFree(quoted);
   }
}

namespace
{
// A resource folder of its own, so that anything read from the working folder would be missed.
class ScriptFileTest : public ScriptManagerTest
{
 protected:
   void SetUp() override
   {
      char pattern[] = "/tmp/corvale-script-XXXXXX";
      ASSERT_NE(mkdtemp(pattern), nullptr);
      folder = pattern;
      Write("main.lua", "LuaVar.answer = 'main ran'\n");
      Write("lib.lua", "return 'lib', 2\n");
      Write("broken.lua", "x = = 1\n");
      Write("fails.lua", "error('inside')\n");
      ASSERT_TRUE(manager.BaseFolderSet(folder.c_str()));
      savedResource = fileManagerResource;
      fileManagerResource = &manager;
      ScriptManagerTest::SetUp();
   }
   void TearDown() override
   {
      ScriptManagerTest::TearDown();
      fileManagerResource = savedResource;
      for (const char* name : {"main.lua", "lib.lua", "broken.lua", "fails.lua"})
      {
         std::remove((folder + "/" + name).c_str());
      }
      rmdir(folder.c_str());
   }
   void Write(const char* name, const char* text)
   {
      FILE* file = std::fopen((folder + "/" + name).c_str(), "wb");
      ASSERT_NE(file, nullptr);
      std::fputs(text, file);
      std::fclose(file);
   }

   std::string folder;
   FileManagerStdio manager;
   FileManager* savedResource = nullptr;
};
} // namespace

TEST_F(ScriptFileTest, FilesComeThroughTheFileManager)
{
   EXPECT_TRUE(ScriptManager::FileExecute("main.lua")) << log.text;
   EXPECT_STREQ(ScriptManager::LuaVarGet("answer"), "main ran");

   EXPECT_EQ(Answer("local a, b = dofile('lib.lua') LuaVar.answer = a .. b"), "lib2");
   EXPECT_EQ(Answer("local f = loadfile('lib.lua') LuaVar.answer = (f())"), "lib");
   EXPECT_EQ(
       Answer("local f, message = loadfile('missing.lua') LuaVar.answer = tostring(f) .. ' ' .. message"),
       "nil cannot open missing.lua");
   EXPECT_FALSE(ScriptManager::Execute("dofile('missing.lua')"));
   EXPECT_FALSE(ScriptManager::Execute("dofile()"));
}

TEST_F(ScriptFileTest, FileErrorsNameTheFile)
{
   log.text.clear();
   EXPECT_FALSE(ScriptManager::FileExecute("missing.lua"));
   EXPECT_NE(log.text.find("(missing.lua): cannot open missing.lua\n"), std::string::npos) << log.text;

   log.text.clear();
   EXPECT_FALSE(ScriptManager::FileExecute("broken.lua"));
   EXPECT_EQ(log.text.rfind("(broken.lua): broken.lua:1:", 0), 0u) << log.text;
   EXPECT_FALSE(ScriptManager::NamedExecute("broken.lua"));

   log.text.clear();
   EXPECT_FALSE(ScriptManager::FileExecute("fails.lua"));
   EXPECT_NE(log.text.find("fails.lua:1: inside\n"), std::string::npos) << log.text;
   EXPECT_EQ(lua_gettop(ScriptManager::StateGet()), 0);
}

TEST_F(ScriptManagerTest, AllocationKeepsLuasContract)
{
   void* userData = nullptr;
   const lua_Alloc allocate = lua_getallocf(ScriptManager::StateGet(), &userData);
   char* block = static_cast<char*>(allocate(userData, nullptr, 0, 40));
   ASSERT_NE(block, nullptr);
   EXPECT_EQ(reinterpret_cast<uptr>(block) % MEMORY_ALIGNMENT_MIN, 0u);
   std::memset(block, 'k', 40);

   // A resize that can't be served fails and leaves the old block alive and unchanged.
   const std::size_t impossible = static_cast<std::size_t>(1) << 40;
   EXPECT_EQ(allocate(userData, block, 40, impossible), nullptr);
   for (int i = 0; i < 40; ++i)
   {
      ASSERT_EQ(block[i], 'k');
   }

   char* grown = static_cast<char*>(allocate(userData, block, 40, 100));
   ASSERT_NE(grown, nullptr);
   EXPECT_EQ(reinterpret_cast<uptr>(grown) % MEMORY_ALIGNMENT_MIN, 0u);
   EXPECT_EQ(std::string(grown, 40), std::string(40, 'k'));
   char* shrunk = static_cast<char*>(allocate(userData, grown, 100, 8));
   ASSERT_NE(shrunk, nullptr);
   EXPECT_EQ(std::string(shrunk, 8), std::string(8, 'k'));
   EXPECT_EQ(allocate(userData, shrunk, 8, 0), nullptr);
}
