# Fails when code of ours does floating-point arithmetic on the x87 stack.
# FILES: "|"-separated archives and objects. Loads, stores and conversions
# (fld, fstp, fild, fistp) remain: the 32-bit calling convention returns
# doubles on the x87 stack, and 64-bit integer conversions pass through it.
# Arithmetic there would mean the SSE2 options were dropped.
string(REPLACE "|" ";" files "${FILES}")
set(bad)
set(count 0)
foreach(file ${files})
    execute_process(COMMAND ${OBJDUMP} -d --no-show-raw-insn ${file} OUTPUT_VARIABLE dump
                    RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "objdump failed on ${file}")
    endif()
    string(REGEX MATCHALL "\n[ 0-9a-f]+:\t(fi?(add|sub|subr|mul|div|divr)[lsp]?|fsqrt|fprem1?|frndint|fscale)( [^\n]*)?\n" hits "${dump}")
    math(EXPR count "${count} + 1")
    if(hits)
        list(LENGTH hits n)
        list(GET hits 0 first)
        string(STRIP "${first}" first)
        list(APPEND bad "${file}: ${n} x87 instructions, first: ${first}")
    endif()
endforeach()
if(bad)
    string(REPLACE ";" "\n  " bad "${bad}")
    message(FATAL_ERROR "x87 arithmetic in the 32-bit build:\n  ${bad}")
endif()
message(STATUS "no x87 arithmetic in ${count} files")
