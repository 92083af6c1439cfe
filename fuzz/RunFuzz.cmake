# One fuzz target's test: replays every seed and kept input, then makes a
# fixed number of mutations from a fixed seed, so the same build gives the
# same run each time, however busy the machine. What would make runs differ
# is off: address randomisation and the comparison tracing that feeds
# compared values back into mutations, the entropic schedule, and the timers
# that interrupt the run (the memory watch and the per-input alarm; a plain
# per-allocation limit stays, and ctest's time-out catches a hang).
#   cmake -DFUZZER=... -DRUN=<fresh folder> -DRUNS=<n> -DSEEDS=<dir> -DKEPT=<dir or nothing> -P RunFuzz.cmake
file(REMOVE_RECURSE ${RUN})
file(MAKE_DIRECTORY ${RUN})
find_program(SETARCH setarch)
set(fixed)
if(SETARCH)
    execute_process(COMMAND uname -m OUTPUT_VARIABLE machine OUTPUT_STRIP_TRAILING_WHITESPACE)
    set(fixed ${SETARCH} ${machine} -R)
    # A container may refuse the personality call (seccomp): then run with
    # the addresses as they come rather than fail every fuzz test.
    execute_process(COMMAND ${fixed} true RESULT_VARIABLE refused OUTPUT_QUIET ERROR_QUIET)
    if(NOT refused EQUAL 0)
        message(WARNING "setarch -R is refused here: fuzzing without fixed addresses")
        set(fixed)
    endif()
endif()
execute_process(COMMAND ${fixed} ${FUZZER} -seed=1 -runs=${RUNS} -use_cmp=0 -entropic=0
                        -rss_limit_mb=0 -malloc_limit_mb=2048 -timeout=0 -print_final_stats=1 ${RUN} ${SEEDS}
                        ${KEPT}
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${FUZZER} found a fault (exit ${result}); the input is in the working folder")
endif()
