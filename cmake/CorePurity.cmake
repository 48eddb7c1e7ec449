# The core must never see a platform header. A build step scans its sources and
# fails the build when one includes a platform or toolkit header.
set(VOZUDEZI_CORE_PURITY_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/CheckCorePurity.cmake)

function(vozudezi_enforce_core_purity target dir)
  add_custom_target(${target}_purity
    COMMAND ${CMAKE_COMMAND} -DSCAN_DIR=${dir} -P ${VOZUDEZI_CORE_PURITY_SCRIPT}
    COMMENT "Checking that ${dir} includes no platform header"
    VERBATIM)
  add_dependencies(${target} ${target}_purity)
endfunction()
