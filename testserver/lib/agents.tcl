# What the agent list windows and agent dialogs ask of the server beyond the
# common commands: the event maps of one user agent's scenario, which tell
# an IVR agent's application and its parameter.

# GetEventMaps4UA N: the agent's scenario number, then one name/value list
# per event map of that scenario (none when the agent has no scenario).
::vs::cmd::command GetEventMaps4UA {number} {
    ::vs::cmd::checkBox $number
    set scenario [dict get [::vs::data::ua $number] scenario]
    set maps [list $scenario]
    if {$scenario != -1} {
        foreach id [lsort -integer [dict keys $::vs::data::eventmaps]] {
            if {[dict get $::vs::data::eventmaps $id scenario] == $scenario} {
                lappend maps [::vs::data::eventMapPairs $id]
            }
        }
    }
    linsert $maps 0 GetEventMaps4UA
}
