// The debug trace. Lines begin with "情報：", "警告：" or "失敗：" and name the class and operation.
// By default the trace writes nothing and nothing depends on it; a test may install a sink to read the lines.
#pragma once

void Trace(const char* format, ...);

typedef void (*TraceSink)(const char* line);
// Installs sink (null: none) and returns the previous one.
TraceSink SetTraceSink(TraceSink sink);
