# Runs one scenario in a fresh run directory: the scenario host and the plugin library are copied
# into it, so that the directory of the host's executable, which the plugin takes as its run
# directory, is this scenario's own.
# Arguments: -DHOST= -DPLUGIN= -DSCENARIO= -DWORK= [-DEMULATOR=]
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY ${HOST} ${PLUGIN} DESTINATION ${WORK})
file(COPY_FILE ${SCENARIO} ${WORK}/scenario.scn)
# The plugin would take its run directory from this variable instead, as under `vexlo chat`.
unset(ENV{VEXLO_RUN_DIRECTORY})
get_filename_component(host_name ${HOST} NAME)
get_filename_component(plugin_name ${PLUGIN} NAME)
get_filename_component(scenario_name ${SCENARIO} NAME)
execute_process(COMMAND ${EMULATOR} ${WORK}/${host_name} ${plugin_name} scenario.scn ${scenario_name}
                WORKING_DIRECTORY ${WORK}
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "scenario ${scenario_name} failed (${result})")
endif()
