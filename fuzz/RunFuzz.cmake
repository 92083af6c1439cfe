# One fuzz target's test: replays every seed and kept input, then makes a
# fixed number of mutations from a fixed seed. Address randomisation is
# turned off for it, since libFuzzer feeds compared values (addresses among
# them) back into its mutations: the same build gives the same run each time.
#   cmake -DFUZZER=... -DRUN=<fresh folder> -DRUNS=<n> -DSEEDS=<dir> -DKEPT=<dir or nothing> -P RunFuzz.cmake
file(REMOVE_RECURSE ${RUN})
file(MAKE_DIRECTORY ${RUN})
find_program(SETARCH setarch)
set(fixed)
if(SETARCH)
    execute_process(COMMAND uname -m OUTPUT_VARIABLE machine OUTPUT_STRIP_TRAILING_WHITESPACE)
    set(fixed ${SETARCH} ${machine} -R)
endif()
execute_process(COMMAND ${fixed} ${FUZZER} -seed=1 -runs=${RUNS} -print_final_stats=1 ${RUN} ${SEEDS}
                        ${KEPT}
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${FUZZER} found a fault (exit ${result}); the input is in the working folder")
endif()
