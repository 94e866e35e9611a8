#include "RunLoop.h"

#include "QtRunLoop.h"

namespace {
RunLoop* installed = nullptr;
}

RunLoop& RunLoop::main()
{
    static QtRunLoop qtLoop;
    return installed ? *installed : qtLoop;
}

void RunLoop::setMain(RunLoop* loop)
{
    installed = loop;
}
