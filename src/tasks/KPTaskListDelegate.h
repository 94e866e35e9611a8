#pragma once

class KPTaskList;

class KPTaskListDelegate
{
public:
    virtual bool taskListCanResize(KPTaskList* taskList) = 0;
    virtual void taskListDidChangeHeight(KPTaskList* taskList) = 0;
    virtual void taskListDidChangeEditedRow(KPTaskList* taskList) = 0;

protected:
    ~KPTaskListDelegate() = default;
};
