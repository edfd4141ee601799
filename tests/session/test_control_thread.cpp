#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "SessionTestSupport.h"
#include "session/ControlThread.h"

namespace {

// A child control that writes each EnableWindow call into a shared log.
class CLoggingControl : public CWindowHandle {
public:
    CLoggingControl(int nID, std::vector<std::pair<int, BOOL>>* pLog) : m_nID(nID), m_pLog(pLog) {}
    void Invalidate(const RECT*, BOOL) override {}
    CWnd* GetDlgItem(int) override { return nullptr; }
    BOOL EnableWindow(BOOL bEnable) override
    {
        m_pLog->emplace_back(m_nID, bEnable);
        return FALSE;
    }

private:
    int m_nID;
    std::vector<std::pair<int, BOOL>>* m_pLog;
};

class CListedControlThread : public CControlThread {
public:
    void ListWhileRunning(int nID) { m_enableWhileRunning.AddControl(nID); }
    void ListWhileIdle(int nID) { m_enableWhileIdle.AddControl(nID); }
    void Own(std::unique_ptr<COwnedObject> p) { m_ownedObjects.AddObject(std::move(p)); }
    // Stands for a run in Main without starting one.
    void SetRunState(int n) { m_nRunState = n; }
};

class ControlLayer : public ::testing::Test {
protected:
    static constexpr int kFirst = 1000;
    static constexpr int kSecond = 1001;
    static constexpr int kMissing = 4242;

    ControlLayer() : m_first(kFirst, &m_log), m_second(kSecond, &m_log)
    {
        m_owner.m_hWnd = &m_window;
        m_firstWnd.m_hWnd = &m_first;
        m_secondWnd.m_hWnd = &m_second;
        m_window.m_controls[kFirst] = &m_firstWnd;
        m_window.m_controls[kSecond] = &m_secondWnd;
        m_thread.SetOwner(&m_owner);
    }

    std::vector<std::pair<int, BOOL>> m_log;
    CRecordingWindow m_window;
    CLoggingControl m_first;
    CLoggingControl m_second;
    CWnd m_owner;
    CWnd m_firstWnd;
    CWnd m_secondWnd;
    CListedControlThread m_thread;
};

TEST_F(ControlLayer, EmptyListsAskTheOwnerNothing)
{
    m_thread.UpdateControls();
    m_thread.SetRunState(1);
    m_thread.UpdateControls();
    EXPECT_EQ(m_window.m_nDlgItemCalls, 0);
    EXPECT_TRUE(m_log.empty());

    CListedControlThread ownerless; // before SetOwner: harmless
    ownerless.UpdateControls();
}

TEST_F(ControlLayer, AnIdWithoutAControlIsSkippedAndTheRestStillApply)
{
    m_thread.ListWhileRunning(kFirst);
    m_thread.ListWhileRunning(kMissing);
    m_thread.ListWhileRunning(kSecond);
    m_thread.SetRunState(1);
    m_thread.UpdateControls();
    EXPECT_EQ(m_window.m_nDlgItemCalls, 3);
    const std::vector<std::pair<int, BOOL>> expected = {{kFirst, TRUE}, {kSecond, TRUE}};
    EXPECT_EQ(m_log, expected);

    m_log.clear();
    m_thread.SetRunState(0);
    m_thread.UpdateControls();
    const std::vector<std::pair<int, BOOL>> disabled = {{kFirst, FALSE}, {kSecond, FALSE}};
    EXPECT_EQ(m_log, disabled);
}

TEST_F(ControlLayer, TheSameIdInBothListsEndsAsTheIdleListSays)
{
    m_thread.ListWhileRunning(kFirst);
    m_thread.ListWhileIdle(kFirst);

    m_thread.UpdateControls();
    const std::vector<std::pair<int, BOOL>> whileIdle = {{kFirst, FALSE}, {kFirst, TRUE}};
    EXPECT_EQ(m_log, whileIdle);

    m_log.clear();
    m_thread.SetRunState(1);
    m_thread.UpdateControls();
    const std::vector<std::pair<int, BOOL>> whileRunning = {{kFirst, TRUE}, {kFirst, FALSE}};
    EXPECT_EQ(m_log, whileRunning);
}

class CNamedObject : public COwnedObject {
public:
    CNamedObject(std::string name, std::vector<std::string>* pLog) : m_name(std::move(name)), m_pLog(pLog) {}
    ~CNamedObject() override { m_pLog->push_back(m_name); }

private:
    std::string m_name;
    std::vector<std::string>* m_pLog;
};

TEST(ControlLayerLifetime, DestructionDeletesTheOwnedObjectsNewestFirst)
{
    std::vector<std::string> deleted;
    {
        CListedControlThread thread;
        for (const char* name : {"A", "B", "C"})
            thread.Own(std::make_unique<CNamedObject>(name, &deleted));
        thread.ListWhileRunning(1);
        thread.ListWhileIdle(2);
    }
    const std::vector<std::string> expected = {"C", "B", "A"};
    EXPECT_EQ(deleted, expected);
}

} // namespace
