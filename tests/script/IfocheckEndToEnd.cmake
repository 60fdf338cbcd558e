# ifocheck end to end, on a small disc tree made here:
#   cmake -DIFOCHECK=program [-DEMULATOR=...] -DSOURCE=repository -DWORK=folder [-DNATIVE=ON] -P IfocheckEndToEnd.cmake
# JSON is UTF-8 on both sides, so Japanese texts are checked there; the text form is in the console's code page,
# so on the Windows side only its ASCII parts are checked.
file(REMOVE_RECURSE ${WORK})
file(COPY ${SOURCE}/examples/disc1 ${SOURCE}/examples/disc2 DESTINATION ${WORK}/sample)
file(WRITE ${WORK}/sample/disc1/ZVSetup.exe "the installer")
file(WRITE ${WORK}/sample/disc1/splash.bmp "BM")

file(COPY ${SOURCE}/tests/script/data/DiscWarnings.ifo DESTINATION ${WORK}/warn/disc1)
file(RENAME ${WORK}/warn/disc1/DiscWarnings.ifo ${WORK}/warn/disc1/Install.ifo)
file(WRITE ${WORK}/warn/disc1/DATA/Base.pak "x")
file(WRITE ${WORK}/warn/disc1/game.exe "x")
file(WRITE ${WORK}/warn/disc1/manual/読んでね.txt "x")
file(WRITE ${WORK}/warn/disc2/other.dat "x")
file(WRITE ${WORK}/bad.ifo "$installtypecount = 1\r\n&start\r\n,2\r\n")

set(failures 0)
# run(EXIT code ARGS ... [EXPECT regex...] [REJECT regex...] [NATIVE_EXPECT regex...])
function(run)
    cmake_parse_arguments(RUN "" "EXIT" "ARGS;EXPECT;REJECT;NATIVE_EXPECT" ${ARGN})
    execute_process(COMMAND ${EMULATOR} ${IFOCHECK} ${RUN_ARGS} WORKING_DIRECTORY ${WORK}
                    RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
    set(problems "")
    if(NOT code STREQUAL RUN_EXIT)
        string(APPEND problems "  exit ${code}, expected ${RUN_EXIT}\n")
    endif()
    if(NATIVE)
        list(APPEND RUN_EXPECT ${RUN_NATIVE_EXPECT})
    endif()
    foreach(pattern IN LISTS RUN_EXPECT)
        if(NOT "${out}${err}" MATCHES "${pattern}")
            string(APPEND problems "  missing: ${pattern}\n")
        endif()
    endforeach()
    foreach(pattern IN LISTS RUN_REJECT)
        if("${out}${err}" MATCHES "${pattern}")
            string(APPEND problems "  unexpected: ${pattern}\n")
        endif()
    endforeach()
    if(problems)
        message(SEND_ERROR "ifocheck ${RUN_ARGS}\n${problems}--- output:\n${out}${err}")
    else()
        message(STATUS "ok: ifocheck ${RUN_ARGS}")
    endif()
endfunction()

# The sample title is consistent once the installer and its splash picture are on disc 1.
run(EXIT 0 ARGS --strict --disc sample/disc1 --disc sample/disc2 sample/disc1/Install.ifo
    EXPECT "install types: 2" "file entries" "discs: 2" "directories: 1" "shortcuts: 1" "buttons: 2"
    REJECT "warning"
    NATIVE_EXPECT "title: サンプルゲーム" "  1 フル: 2 MB, 7 file entries" "  2 サンプルゲーム ディスク2")
run(EXIT 0 ARGS --json sample/disc1/Install.ifo
    EXPECT "\"gametitle\": \"サンプルゲーム\"" "\"installtypename\": .\"標準\", \"フル\", \"\","
           "\"installrequire\": .1, 2, 0," "\"desktopshortcut\": true" "\"forAllUsers\": false"
           "\"fileName\": \"movie....dat\", \"disc\": 2" "\"discLabels\": .\"サンプルゲーム ディスク1\""
           "\"makeDirs\": .\"save\"."
           "\"shortcuts\": .{\"name\": \"説明書\", \"target\": \"manual..readme.txt\", \"arguments\": \"\", \"iconIndex\": 0}"
           "\"commands\": .{\"command\": \"manual..readme.txt\", \"caption\": \"説明書を読む\", \"waitForExit\": false}"
    REJECT "\"warnings\"")

# Each kind of warning, once; what the discs do hold raises none.
set(warnings
    "warning: file missing.dat: matches no file on disc 2"
    "warning: file extra.dat: disc 3 is not between 1 and 2"
    "warning: disc 2: no DISCID.002 marker in warn/disc2"
    "warning: disc 1: no splash.bmp in warn/disc1"
    "tools.config.exe is not on disc 1, so the button will not be shown"
    "warning: not set: .RegistryRoot is empty: the menu says the registry settings are missing"
    "warning: line 8: .RegistryKey is empty"
    "warning: line 11: shortcut Tool: target tools.tool.exe is installed by no install type"
    "warning: line 7: .DirectXRequire is 7, but disc 1 has no DSetup.dll .warn.disc1.: the menu cannot load it"
    "target GAME.EXE is not installed by install type 0\n"
    "warning: .ExecuteFile game.exe is not installed by install type 0\n"
    "warning: uninstall: ZVSetup.exe is not installed by install types 0, 1")
run(EXIT 0 ARGS --disc warn/disc1 --disc warn/disc2 warn/disc1/Install.ifo
    EXPECT ${warnings}
    REJECT "PAK" "Install.ifo is not" "txt is not" "Tool: target tools.tool.exe is not installed")
run(EXIT 3 ARGS --strict --disc warn/disc1 --disc warn/disc2 warn/disc1/Install.ifo EXPECT "no splash.bmp")
# What the script alone shows needs no disc, and counts under --strict as any warning; the DirectX library is looked
# for only on a disc it is given.
run(EXIT 3 ARGS --strict warn/disc1/Install.ifo EXPECT "line 8: .RegistryKey is empty" "line 11: shortcut Tool"
    REJECT "DSetup" "splash")
run(EXIT 0 ARGS --json --disc warn/disc1 --disc warn/disc2 warn/disc1/Install.ifo
    EXPECT "\"warnings\": .\"not set: .RegistryRoot is empty" "\"file missing.dat: matches no file on disc 2 .warn.disc2.\", \"file extra.dat"
           "\"button 設定: tools..config.exe is not on disc 1")

# A syntax error: the box's text, or the JSON error.
run(EXIT 1 ARGS bad.ifo EXPECT "bad.ifo" ": 3" ",2"
    NATIVE_EXPECT "^ディスク番号指定の前にファイル名を指定する必要があります\n\nファイル名: bad.ifo\n行数: 3\n,2\n$")
run(EXIT 1 ARGS --json bad.ifo
    EXPECT "{\"error\": {\"message\": \"ディスク番号指定の前にファイル名を指定する必要があります\", \"line\": 3, \"text\": \",2\"}}")
run(EXIT 2 ARGS missing.ifo EXPECT "ifocheck: cannot read missing.ifo")
run(EXIT 2 ARGS --json EXPECT "usage: ifocheck")
