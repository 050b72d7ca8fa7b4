<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- A deliberately partial table: one key only, to check that keys it lacks
     fall back to English. Rebuild the .qm with:
     lrelease -idbased tessera_zh_CN.ts -qm tessera_zh_CN.qm -->
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name></name>
    <message id="BUTTON_OK">
        <source>OK</source>
        <translation>好的</translation>
    </message>
</context>
</TS>
