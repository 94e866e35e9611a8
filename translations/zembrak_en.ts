<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>DailyProgress</name>
    <message numerus="yes">
        <source>%1 of %n today</source>
        <translation>
            <numerusform>%1 of %n today</numerusform>
            <numerusform>%1 of %n today</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>HistoryStore</name>
    <message numerus="yes">
        <source>%n period(s) could still be read from the damaged history and were kept</source>
        <translation>
            <numerusform>%n period could still be read from the damaged history and was kept</numerusform>
            <numerusform>%n periods could still be read from the damaged history and were kept</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PeriodEndNotifier</name>
    <message numerus="yes">
        <source>%n hour(s)</source>
        <translation>
            <numerusform>%n hour</numerusform>
            <numerusform>%n hours</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s)</source>
        <translation>
            <numerusform>%n minute</numerusform>
            <numerusform>%n minutes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n second(s)</source>
        <translation>
            <numerusform>%n second</numerusform>
            <numerusform>%n seconds</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ZKMenu</name>
    <message numerus="yes">
        <source>%n minutes</source>
        <translation>
            <numerusform>%n minute</numerusform>
            <numerusform>%n minutes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n work periods</source>
        <translation>
            <numerusform>%n work period</numerusform>
            <numerusform>%n work periods</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ZKStatisticsWindow</name>
    <message numerus="yes">
        <source>%n work periods</source>
        <translation>
            <numerusform>%n work period</numerusform>
            <numerusform>%n work periods</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Current streak: %n days</source>
        <translation>
            <numerusform>Current streak: %n day</numerusform>
            <numerusform>Current streak: %n days</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Longest streak: %n days</source>
        <translation>
            <numerusform>Longest streak: %n day</numerusform>
            <numerusform>Longest streak: %n days</numerusform>
        </translation>
    </message>
</context>
</TS>
