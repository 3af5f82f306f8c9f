# The server's own commands, as the administration programs and their
# uploaded procedures call them, answered from the data set.
#
# Every command answers a Tcl list whose element 0 is its own name.  A
# command that cannot answer or refuses a change raises a Tcl error whose
# message is "<name> !ERROR <reason>": the uploaded procedures that read box
# by box inside `catch` leave that box out, and those that overwrite element
# 0 of a caught text with their own name keep the marker at element 1.
#
# Each command is a proc ::vs::cmd::<Name> taking the connection id first;
# the connection's interpreter reaches it through an alias that goes through
# `invoke`, where a failure asked for on the control channel is answered.

namespace eval ::vs::cmd {
    # Names of the server commands; answers that begin with one of them are
    # the server's own and carry their leading word already.
    variable names {}
}

proc ::vs::cmd::register {interp conn} {
    variable names
    foreach name $names {
        $interp alias $name ::vs::cmd::invoke $conn $name
    }
}

proc ::vs::cmd::isServerCommand {name} {
    variable names
    expr {$name in $names}
}

proc ::vs::cmd::invoke {conn name args} {
    set message [::vs::control::injectedFailure $name]
    if {$message ne ""} {
        return -code error [list $name !ERROR $message]
    }
    if {[catch {::vs::cmd::$name $conn {*}$args} result]} {
        return -code error [list $name !ERROR [string map [list "::vs::cmd::$name conn" $name] $result]]
    }
    return $result
}

# Defines a server command; its name is registered for every new connection.
proc ::vs::cmd::command {name arguments body} {
    variable names
    lappend names $name
    proc ::vs::cmd::$name [linsert $arguments 0 conn] $body
}

# Refuses unless the condition holds in the caller's frame.
proc ::vs::cmd::check {condition reason} {
    if {![uplevel 1 [list expr $condition]]} {
        return -code error $reason
    }
}

proc ::vs::cmd::isNumber {value} {
    expr {[string is entier -strict $value] && $value >= -2147483648 && $value <= 4294967295}
}

proc ::vs::cmd::checkNumbers {args} {
    foreach value $args {
        check [isNumber $value] "\"$value\" is not a number"
    }
}

proc ::vs::cmd::checkBox {number} {
    check {[::vs::data::uaExists $number]} "user agent $number does not exist"
}

# A change names either the stamp the caller last saw or WithForce; a stale
# stamp means another administrator changed the box in between.
proc ::vs::cmd::checkStamp {number mode} {
    if {[string equal -nocase $mode WithForce]} {
        return
    }
    check {[isNumber $mode]} "\"$mode\" is neither WithForce nor a change stamp"
    set stamp [dict get [::vs::data::ua $number] stamp]
    check {$mode == $stamp} "user agent $number was changed meanwhile (stamp $stamp, not $mode)"
}

# A top of the class-of-service tree: a box above the high mark that
# descends from nothing (the roots of the kinds). Other boxes may be
# numbered above the high mark too and go like any other.
proc ::vs::cmd::isCosTop {number} {
    expr {$number > 0x40000000 && [dict get [::vs::data::ua $number] parent] == -1}
}

# --- user-agent lists ------------------------------------------------------

::vs::cmd::command GetUAList {args} {
    set numbers [::vs::data::uaNumbers]
    foreach option $args {
        if {$option ne "-sort"} {
            error "unknown option \"$option\""
        }
        set numbers [lsort -integer $numbers]
    }
    linsert $numbers 0 GetUAList
}

# Options: own or owned (the box holds the value itself), notowned (it
# inherits it), NOASR (accepted; the simulator has no speech recognition).
::vs::cmd::command GetUAList4Property {property value args} {
    set ownership any
    foreach option $args {
        switch -nocase -- $option {
            own - owned { set ownership own }
            notowned { set ownership inherited }
            noasr {}
            default { error "unknown option \"$option\"" }
        }
    }
    set found {}
    foreach number [lsort -integer [::vs::data::uaNumbers]] {
        set owns [dict exists [::vs::data::ua $number] props $property]
        if {($ownership eq "own" && !$owns) || ($ownership eq "inherited" && $owns)} {
            continue
        }
        set shown [::vs::data::effectiveValue $number $property]
        if {[llength $shown] && [lindex $shown 0] eq $value} {
            lappend found $number
        }
    }
    linsert $found 0 GetUAList4Property
}

# --- one user agent ---------------------------------------------------------

# Answer: GetUA, the header {number parent stamp scenario fifth}, the names
# the box holds itself, then name/value pairs of what it shows (own values
# and inherited ones).  Without names every property comes; with names (each
# argument may hold several) only those, and an empty list gives no pair.
# The own names are always all of them, whatever was asked: the uploaded
# procedures look for a property by a plain search of the answer, which a
# names element made of just that property's name would answer wrongly.
::vs::cmd::command GetUA {number args} {
    ::vs::cmd::checkBox $number
    set record [::vs::data::ua $number]
    set listed [dict keys [dict get $record props]]
    set shown [::vs::data::effectiveProps $number]
    set pairs $shown
    if {[llength $args]} {
        set pairs {}
        foreach name [concat {*}$args] {
            if {[dict exists $shown $name]} {
                lappend pairs $name [dict get $shown $name]
            }
        }
    }
    set header [list [::vs::data::canonical $number] [dict get $record parent] [dict get $record stamp] \
        [dict get $record scenario] [dict get $record fifth]]
    list GetUA $header $listed {*}$pairs
}

# The mailbox editor's list: one record (a GetUA answer without its word)
# per box of the list, or per mailbox for "All"; boxes that do not exist are
# left out.  The editor sends its numbers as separate words
# ("get_parms_for_ua_type 101 102") or as one list.
::vs::cmd::command get_parms_for_ua_type {args} {
    set list [concat {*}$args]
    if {$list eq "All"} {
        set list [lrange [::vs::cmd::GetUAList4Property $conn COS MB notowned] 1 end]
    }
    set records {}
    foreach number $list {
        if {[::vs::data::uaExists $number]} {
            lappend records [lrange [::vs::cmd::GetUA $conn $number] 1 end]
        }
    }
    linsert $records 0 get_parms_for_ua_type
}

::vs::cmd::command CreateUA {number sac parent scenario sa} {
    ::vs::cmd::checkNumbers $number $sac $parent $scenario $sa
    ::vs::cmd::check {![::vs::data::uaExists $number]} "user agent $number already exists"
    ::vs::cmd::check {$parent == -1 || [::vs::data::uaExists $parent]} "parent $parent does not exist"
    ::vs::cmd::check {$scenario == -1 || [::vs::data::scenarioExists $scenario]} \
        "scenario $scenario does not exist"
    ::vs::data::putUa $number [dict create parent [::vs::data::canonical $parent] stamp 1 \
        scenario $scenario fifth $sa sac $sac props {}]
    list CreateUA [::vs::data::canonical $number]
}

# The copy takes the source's parent, security code and properties; it gets
# no scenario of its own, so it shares no event maps with the source.
::vs::cmd::command CopyUA {source dest} {
    ::vs::cmd::checkNumbers $source $dest
    ::vs::cmd::checkBox $source
    ::vs::cmd::check {![::vs::data::uaExists $dest]} "user agent $dest already exists"
    set record [::vs::data::ua $source]
    dict set record stamp 1
    dict set record scenario -1
    ::vs::data::putUa $dest $record
    list CopyUA [::vs::data::canonical $dest]
}

# UpdateUA number stamp|WithForce name value ...; a name written ~name drops
# the box's own value so that it inherits again.  Answers the new stamp.
# The editors mark a field that shows its class of service's value with one
# of two inheritance markers; a marker is never a value, so one that reaches
# the server is refused and the box keeps what it had.
::vs::cmd::command UpdateUA {number mode args} {
    ::vs::cmd::checkBox $number
    ::vs::cmd::checkStamp $number $mode
    ::vs::cmd::check {[llength $args] % 2 == 0} "properties are not name/value pairs"
    set record [::vs::data::ua $number]
    foreach {name value} $args {
        ::vs::cmd::check {$value ni $::vs::data::inheritanceMarkers} "$name: an inheritance marker is not a value"
        if {[string index $name 0] eq "~"} {
            dict unset record props [string range $name 1 end]
        } else {
            dict set record props $name $value
        }
    }
    ::vs::data::putUa $number $record
    list UpdateUA [::vs::data::touch $number]
}

::vs::cmd::command UADeleteProperty {number mode args} {
    ::vs::cmd::checkBox $number
    ::vs::cmd::checkStamp $number $mode
    set record [::vs::data::ua $number]
    foreach name [concat {*}$args] {
        dict unset record props $name
    }
    ::vs::data::putUa $number $record
    list UADeleteProperty [::vs::data::touch $number]
}

# DONOTSETCHANGED keeps the stamp, so an editor that holds the box open is
# not told that someone else changed it.
::vs::cmd::command SetUASAC {number mode code args} {
    ::vs::cmd::checkBox $number
    ::vs::cmd::checkStamp $number $mode
    ::vs::cmd::check {[regexp {^[0-9]*$} $code]} "a security code holds only digits"
    set record [::vs::data::ua $number]
    dict set record sac $code
    ::vs::data::putUa $number $record
    if {[lsearch -exact -nocase $args DONOTSETCHANGED] >= 0} {
        return [list SetUASAC [dict get $record stamp]]
    }
    list SetUASAC [::vs::data::touch $number]
}

::vs::cmd::command SetUAParent {number mode parent} {
    ::vs::cmd::checkBox $number
    ::vs::cmd::checkStamp $number $mode
    ::vs::cmd::checkNumbers $parent
    ::vs::cmd::check {$parent == -1 || [::vs::data::uaExists $parent]} "parent $parent does not exist"
    for {set up $parent} {$up != -1 && [::vs::data::uaExists $up]} \
        {set up [dict get [::vs::data::ua $up] parent]} {
        ::vs::cmd::check {$up != $number} "$parent descends from $number"
    }
    set record [::vs::data::ua $number]
    dict set record parent [::vs::data::canonical $parent]
    ::vs::data::putUa $number $record
    list SetUAParent [::vs::data::touch $number]
}

::vs::cmd::command SetUAScenario {number mode scenario} {
    ::vs::cmd::checkBox $number
    ::vs::cmd::checkStamp $number $mode
    ::vs::cmd::checkNumbers $scenario
    ::vs::cmd::check {$scenario == -1 || [::vs::data::scenarioExists $scenario]} \
        "scenario $scenario does not exist"
    set record [::vs::data::ua $number]
    dict set record scenario $scenario
    ::vs::data::putUa $number $record
    list SetUAScenario [::vs::data::touch $number]
}

::vs::cmd::command UAHasChildren {number} {
    ::vs::cmd::checkBox $number
    foreach other [::vs::data::uaNumbers] {
        if {[dict get [::vs::data::ua $other] parent] == $number} {
            return {UAHasChildren yes}
        }
    }
    return {UAHasChildren no}
}

::vs::cmd::command DeleteUA {number} {
    ::vs::cmd::checkBox $number
    ::vs::cmd::check {$number != 999} "the system administrator's mailbox 999 is never deleted"
    ::vs::cmd::check {![::vs::cmd::isCosTop $number]} "$number is a top of the class-of-service tree"
    ::vs::cmd::check {[lindex [::vs::cmd::UAHasChildren $conn $number] 1] eq "no"} \
        "user agent $number is the class of service of other boxes"
    ::vs::data::removeUa $number
    list DeleteUA [::vs::data::canonical $number]
}

# --- scenarios and event maps ----------------------------------------------

::vs::cmd::command CreateScenario {root flags name} {
    ::vs::cmd::checkNumbers $root $flags
    list CreateScenario [::vs::data::newScenario]
}

::vs::cmd::command CommitScenarioChange {} {
    return CommitScenarioChange
}

# Answers the scenario's number, then one name/value list per record.
::vs::cmd::command GetEventMaps4Scenario {scenario} {
    ::vs::cmd::checkNumbers $scenario
    set maps [list $scenario]
    foreach id [lsort -integer [dict keys $::vs::data::eventmaps]] {
        if {[dict get $::vs::data::eventmaps $id scenario] == $scenario} {
            lappend maps [::vs::data::eventMapPairs $id]
        }
    }
    linsert $maps 0 GetEventMaps4Scenario
}

::vs::cmd::command GetEventMaps4Event {number eventId} {
    ::vs::cmd::checkBox $number
    set scenario [dict get [::vs::data::ua $number] scenario]
    set ids {}
    foreach id [lsort -integer [dict keys $::vs::data::eventmaps]] {
        set map [dict get $::vs::data::eventmaps $id]
        if {$scenario != -1 && [dict get $map scenario] == $scenario && [dict get $map eventId] == $eventId} {
            lappend ids $id
        }
    }
    linsert $ids 0 GetEventMaps4Event
}

::vs::cmd::command GetEventMap {id} {
    if {![dict exists $::vs::data::eventmaps $id]} {
        error "event map $id does not exist"
    }
    linsert [::vs::data::eventMapPairs $id] 0 GetEventMap
}

::vs::cmd::command CreateEMRecord {scenario eventId app param args} {
    ::vs::cmd::checkNumbers $scenario $eventId
    ::vs::cmd::check {[::vs::data::scenarioExists $scenario]} "scenario $scenario does not exist"
    list CreateEMRecord [::vs::data::newEventMap $scenario $eventId $app $param $args]
}

::vs::cmd::command UpdateEMRecord {id scenario eventId app param args} {
    ::vs::cmd::check {[dict exists $::vs::data::eventmaps $id]} "event map $id does not exist"
    ::vs::cmd::checkNumbers $scenario $eventId
    dict set ::vs::data::eventmaps $id [dict create scenario $scenario eventId $eventId \
        app $app param $param flags $args]
    list UpdateEMRecord $id
}

::vs::cmd::command DeleteEMRecord {id} {
    ::vs::cmd::check {[dict exists $::vs::data::eventmaps $id]} "event map $id does not exist"
    dict unset ::vs::data::eventmaps $id
    list DeleteEMRecord $id
}

# --- administrator accounts -------------------------------------------------

::vs::cmd::command ListRemoteUsers {} {
    linsert [dict keys $::vs::data::accounts] 0 ListRemoteUsers
}

::vs::cmd::command GetRemoteUser {name} {
    set account [::vs::data::account $name]
    if {$account eq ""} {
        error "no administrator account \"$name\""
    }
    list GetRemoteUser $name [dict get $account rights] [dict get $account ranges] [dict get $account fourth]
}

::vs::cmd::command AddRemoteUser {name password rights ranges {fourth ""}} {
    ::vs::cmd::check {[::vs::data::account $name] eq ""} "administrator \"$name\" already exists"
    ::vs::cmd::changeAccount $name $password $rights $ranges $fourth
    list AddRemoteUser $name
}

::vs::cmd::command ChangeRemoteUser {name password rights ranges {fourth ""}} {
    ::vs::cmd::check {[::vs::data::account $name] ne ""} "no administrator account \"$name\""
    ::vs::cmd::changeAccount $name $password $rights $ranges $fourth
    list ChangeRemoteUser $name
}

proc ::vs::cmd::changeAccount {name password rights ranges fourth} {
    check {$name ne "" && ![regexp {\s} $password] && $password ne ""} "a name and a password without blanks are needed"
    check {[isNumber $rights]} "rights word \"$rights\" is not a number"
    ::vs::data::setAccount $name $password $rights $ranges $fourth
}

::vs::cmd::command DeleteRemoteUser {name} {
    ::vs::cmd::check {[::vs::data::account $name] ne ""} "no administrator account \"$name\""
    dict unset ::vs::data::accounts $name
    list DeleteRemoteUser $name
}

# --- session, configuration, clock -------------------------------------------

# Session properties steer the real server's speech recognition, which the
# simulator does not have; they are accepted and have no effect.
::vs::cmd::command SessionSetProperty {session name value} {
    return SessionSetProperty
}

# Trace lines are kept with the connection's log, where tests read them.
::vs::cmd::command tTrace {text} {
    ::vs::log::trace $conn $text
    return tTrace
}

# Sets a server variable for this session and for every later one.
::vs::cmd::command ConfigSetString {name value args} {
    dict set ::vs::data::vars $name $value
    ::vs::conn::setVariable $conn $name $value
    return ConfigSetString
}

::vs::cmd::command RegisterTraceConsumer {args} {
    ::vs::conn::subscribe $conn
    return RegisterTraceConsumer
}

# The server's clock as month, day, four-digit year, hour, minute, second in
# the server's time zone; SetTime moves it by the difference it is given.
namespace eval ::vs::cmd { variable clockOffset 0 }

::vs::cmd::command GetTime {} {
    variable clockOffset
    set now [expr {[clock seconds] + $clockOffset}]
    list GetTime [clock format $now -format %m%d%Y%H%M%S -timezone [::vs::cmd::timezone]]
}

::vs::cmd::command SetTime {stamp} {
    variable clockOffset
    ::vs::cmd::check {[regexp {^\d{14}$} $stamp]} "\"$stamp\" is not MMDDYYYYhhmmss"
    set zone [::vs::cmd::timezone]
    # The clock reads 13452026 as a month of next year; only a date that
    # reads back the same is one.
    ::vs::cmd::check {![catch {clock scan $stamp -format %m%d%Y%H%M%S -timezone $zone} wanted]
        && [clock format $wanted -format %m%d%Y%H%M%S -timezone $zone] eq $stamp} \
        "\"$stamp\" is not a date and time"
    set clockOffset [expr {$wanted - [clock seconds]}]
    return SetTime
}

proc ::vs::cmd::timezone {} {
    if {[catch {clock format 0 -timezone $::vs::data::timezone}]} {
        return :UTC
    }
    return $::vs::data::timezone
}

# The server goes down: this session gets its answer, then every link ends.
::vs::cmd::command OSShutdown {} {
    after idle [list ::vs::conn::dropAll "server shut down by OSShutdown"]
    return OSShutdown
}

::vs::cmd::command ConfigRemoveVar {name args} {
    dict unset ::vs::data::vars $name
    ::vs::conn::unsetVariable $conn $name
    return ConfigRemoveVar
}

# --- box properties, aliases and applications --------------------------------

# GetUAPropertyInfo N NAME: the property's name, the value the box shows
# for it and whether it is the box's own or inherited (the programs read the
# value as element 1 of the answer without its leading word).
::vs::cmd::command GetUAPropertyInfo {number name} {
    ::vs::cmd::checkBox $number
    set shown [::vs::data::effectiveValue $number $name]
    if {![llength $shown]} {
        error "user agent $number has no property $name"
    }
    set origin [expr {[dict exists [::vs::data::ua $number] props $name] ? "own" : "inherited"}]
    list GetUAPropertyInfo $name [lindex $shown 0] $origin
}

::vs::cmd::command GetAliasList {} {
    linsert [dict keys $::vs::data::aliases] 0 GetAliasList
}

::vs::cmd::command GetAlias {name} {
    if {![dict exists $::vs::data::aliases $name]} {
        error "no alias \"$name\""
    }
    linsert [dict get $::vs::data::aliases $name] 0 GetAlias $name
}

::vs::cmd::command AddAlias {name target {param ""}} {
    ::vs::cmd::check {$name ne "" && $target ne ""} "an alias needs a name and a target"
    dict set ::vs::data::aliases $name [list $target $param]
    list AddAlias $name
}

::vs::cmd::command RemoveAlias {name} {
    ::vs::cmd::check {[dict exists $::vs::data::aliases $name]} "no alias \"$name\""
    dict unset ::vs::data::aliases $name
    list RemoveAlias $name
}

::vs::cmd::command GetAppList {} {
    linsert $::vs::data::apps 0 GetAppList
}

# --- mainframe: the ASR auto attendant's directory script ---------------------
# The server keeps Tcl scripts of its own under sys_tcl_library_path; the
# administrator's ASR Sync sources the one that rebuilds the ASR auto
# attendant's directories. Any other file is refused, as on a server that
# lacks it.
::vs::cmd::command source {path} {
    if {![string match */asr_aa_data/makedir.tcl $path]} {
        error "couldn't read file \"$path\": no such file or directory"
    }
    list source
}
# --- end mainframe
