#include "platform/ui/display/Input.h"

#include <deque>

namespace {

std::deque<AFX_INPUT>& Queue()
{
    static std::deque<AFX_INPUT> queue; // window thread only
    return queue;
}

} // namespace

void AfxPostInput(const AFX_INPUT& input)
{
    Queue().push_back(input);
}

BOOL AfxTakeInput(AFX_INPUT* pInput)
{
    std::deque<AFX_INPUT>& queue = Queue();
    if (queue.empty())
        return FALSE;
    *pInput = queue.front();
    queue.pop_front();
    return TRUE;
}

BOOL AfxHasInput()
{
    return !Queue().empty();
}

void AfxClearInput()
{
    Queue().clear();
}
