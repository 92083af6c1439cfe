# GoogleTest from Debian's sources, and the Wine runner for Windows tests.

set(QV_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest source tree")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${QV_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

# Makes this build's wrapper that runs Windows programs under Wine; ctest
# puts it in front of every Windows test program.
function(qv_setup_wine)
    set(QV_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
    set(QV_WINE_COLORS ${PROJECT_SOURCE_DIR}/cmake/windows-colors.reg)
    if(QV_ARCH STREQUAL "x86_64")
        set(QV_WINEARCH win64)
        set(QV_WINE /usr/lib/wine/wine64)
        set(QV_WINESERVER /usr/lib/wine/wineserver64)
        set(default_display 97)
    else()
        set(QV_WINEARCH win32)
        set(QV_WINE /usr/lib/wine/wine)
        set(QV_WINESERVER /usr/lib/wine/wineserver32)
        set(default_display 96)
    endif()
    # Trees that test side by side need displays of their own.
    set(QV_XVFB_DISPLAY ${default_display} CACHE STRING "Xvfb display number for Windows tests")
    configure_file(${PROJECT_SOURCE_DIR}/cmake/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh
                   @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                   GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh PARENT_SCOPE)
endfunction()

# qv_add_test(name [SCREEN] SOURCES files... LIBS libs... [DEPENDS targets...])
# One test program, registered as one ctest test (each Wine start costs time).
# DEPENDS names programs the test starts or loads; they are built first.
# SCREEN: the test needs the display to itself (full-screen windows, focus,
# input), so it never runs beside another SCREEN test.
function(qv_add_test name)
    cmake_parse_arguments(T "SCREEN" "" "SOURCES;LIBS;DEPENDS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
    if(T_DEPENDS)
        add_dependencies(${name} ${T_DEPENDS})
    endif()
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT 600)
    if(T_SCREEN)
        set_tests_properties(${name} PROPERTIES RESOURCE_LOCK screen)
    endif()
endfunction()
