# The data set the simulated server answers from: administrator accounts,
# server variables, user agents, scenarios and their event-map records.
#
# A data set comes from a seed file, a Tcl script run in a safe interpreter in
# which only the seed commands below exist, so a seed file can use loops to
# make many boxes but can reach nothing outside the data set.  The server
# commands (commands.tcl) read and change the data set while the simulator
# runs; loading a file replaces it whole.
#
# Seed commands:
#   timezone TEXT
#   account NAME PASSWORD ?RIGHTS? ?RANGES? ?FOURTH?
#   var NAME VALUE
#   ua NUMBER ?-parent N? ?-stamp N? ?-scenario N? ?-fifth N? ?-sac N? ?PAIRS?
#   eventmap ID SCENARIO EVENTID APP ?PARAM?
#   port NUMBER STATE ?STATS?          a voice port, its state and statistics
#   portgroup NAME ?STATS?             a port group's statistics
#   stats NUMBER STATS                 a mailbox's statistics (name/value pairs)
#   sysinfo STATS                      the system information report's values
#   statsfrom M/D/YYYY                 the first day the statistics cover: a
#                                      dated report from before it is answered
#                                      with a question proposing that day
#   alias NAME TARGET ?PARAM?          an application alias
#   app NAME                           an application the server runs
#   serverfile PATH                    a file on the server (a prompt)
#   phone NUMBER OUTCOME               what dialling NUMBER gives (Busy, Rna, ...)
#   script TEXT                        Tcl run in every new link's interpreter
#                                      (server procedures such as is_valid_ua)

namespace eval ::vs::data {
    # The editors' two inheritance markers (listed, new): texts that stand
    # for "no value of its own here", agreed with admin's user-agent record.
    variable inheritanceMarkers {
        {{5D0C8E2A-3F61-4B7D-9A15-C2E47B90D3F8}}
        {{A94F1B06-7C2E-48D5-B3A0-6E18D5F2C917}}
    }
}

# Empties the data set; it starts empty.
proc ::vs::data::reset {} {
    variable timezone UTC0
    # name -> dict password rights ranges fourth
    variable accounts {}
    # name -> value; copied into every new connection's interpreter
    variable vars {}
    # number -> dict parent stamp scenario fifth sac props (props: name -> value)
    variable uas {}
    # id -> dict scenario eventId app param flags
    variable eventmaps {}
    variable scenarios {}
    variable nextScenario 1
    variable nextEventMap 1
    # number -> dict state stats
    variable ports {}
    # name -> stats
    variable portgroups {}
    # user-agent number -> stats
    variable stats {}
    variable sysinfo {}
    # {year month day} of the first day with statistics; empty: every day
    variable statsfrom {}
    # name -> {target param}
    variable aliases {}
    variable apps {}
    variable files {}
    variable phones {}
    variable scripts {}
}
::vs::data::reset

# Replaces the data set with the one the seed file describes.  On an error
# the data set is left empty and the error, with the file's line, is raised.
proc ::vs::data::load {path} {
    set file [open $path r]
    fconfigure $file -encoding utf-8
    set script [read $file]
    close $file
    reset
    if {[catch {seedScript $script} message]} {
        reset
        error "cannot load $path: $message"
    }
}

# Runs seed commands on top of the data set as it stands.
proc ::vs::data::seedScript {script} {
    set seed [interp create -safe]
    try {
        foreach command {timezone account var ua eventmap port portgroup stats sysinfo statsfrom alias app serverfile phone script} {
            $seed alias $command ::vs::data::seed::$command
        }
        $seed eval $script
    } on error {message options} {
        set line [dict get $options -errorinfo]
        regexp {\(line (\d+)\)} $line -> where
        if {[info exists where]} {
            error "$message (line $where)"
        }
        error $message
    } finally {
        interp delete $seed
    }
}

namespace eval ::vs::data::seed {}

# The simulator's own clock follows the server's zone, so that times the
# link interpreters format with "clock" read as GetTime's.
proc ::vs::data::seed::timezone {text} {
    if {[regexp {\s} $text] || $text eq ""} {
        error "a time zone is one word, not \"$text\""
    }
    set ::vs::data::timezone $text
    set ::env(TZ) $text
}

proc ::vs::data::seed::account {name password {rights 0} {ranges ""} {fourth ""}} {
    ::vs::data::setAccount $name $password $rights $ranges $fourth
}

proc ::vs::data::seed::var {name value} {
    dict set ::vs::data::vars $name $value
}

proc ::vs::data::seed::ua {number args} {
    ::vs::data::requireInteger $number "user-agent number"
    set record [dict create parent -1 stamp 1 scenario -1 fifth 0 sac 0 props {}]
    while {[llength $args] > 1} {
        set args [lassign $args option value]
        switch -- $option {
            -parent - -stamp - -scenario - -fifth - -sac {
                ::vs::data::requireInteger $value $option
                dict set record [string range $option 1 end] $value
            }
            default {
                error "unknown option \"$option\" of ua $number"
            }
        }
    }
    if {[llength $args] == 1} {
        set pairs [lindex $args 0]
        if {[llength $pairs] % 2} {
            error "properties of ua $number are not name/value pairs"
        }
        dict set record props $pairs
    }
    dict set ::vs::data::uas $number $record
    ::vs::data::noteScenario [dict get $record scenario]
}

proc ::vs::data::seed::eventmap {id scenario eventId app {param ""}} {
    foreach {value what} [list $id "event-map id" $scenario scenario $eventId "event id"] {
        ::vs::data::requireInteger $value $what
    }
    dict set ::vs::data::eventmaps $id [dict create scenario $scenario eventId $eventId \
        app $app param $param flags {}]
    ::vs::data::noteScenario $scenario
    if {$id >= $::vs::data::nextEventMap} {
        set ::vs::data::nextEventMap [expr {$id + 1}]
    }
}

proc ::vs::data::seed::port {number state {stats {}}} {
    ::vs::data::requireInteger $number "port number"
    ::vs::data::requirePairs $stats "statistics of port $number"
    dict set ::vs::data::ports [expr {$number}] [dict create state $state stats $stats]
}

proc ::vs::data::seed::portgroup {name {stats {}}} {
    ::vs::data::requirePairs $stats "statistics of port group $name"
    dict set ::vs::data::portgroups $name $stats
}

proc ::vs::data::seed::stats {number stats} {
    ::vs::data::requireInteger $number "user-agent number"
    ::vs::data::requirePairs $stats "statistics of $number"
    dict set ::vs::data::stats [expr {$number}] $stats
}

proc ::vs::data::seed::sysinfo {stats} {
    ::vs::data::requirePairs $stats "system information"
    set ::vs::data::sysinfo $stats
}

proc ::vs::data::seed::statsfrom {date} {
    if {![regexp {^(\d{1,2})/(\d{1,2})/(\d{4})$} $date -> month day year]} {
        error "statsfrom wants a date as M/D/YYYY, not \"$date\""
    }
    set ::vs::data::statsfrom [list [scan $year %d] [scan $month %d] [scan $day %d]]
}

proc ::vs::data::seed::alias {name target {param ""}} {
    dict set ::vs::data::aliases $name [list $target $param]
}

proc ::vs::data::seed::app {name} {
    lappend ::vs::data::apps $name
}

proc ::vs::data::seed::serverfile {path} {
    lappend ::vs::data::files $path
}

proc ::vs::data::seed::phone {number outcome} {
    dict set ::vs::data::phones $number $outcome
}

proc ::vs::data::seed::script {text} {
    lappend ::vs::data::scripts $text
}

proc ::vs::data::requirePairs {value what} {
    if {[catch {llength $value} count] || $count % 2} {
        error "$what are not name/value pairs"
    }
}

proc ::vs::data::requireInteger {value what} {
    if {![string is entier -strict $value] || $value < -2147483648 || $value > 4294967295} {
        error "$what \"$value\" is not a 32-bit number"
    }
}

proc ::vs::data::noteScenario {scenario} {
    variable scenarios
    variable nextScenario
    if {$scenario < 0} {
        return
    }
    dict set scenarios $scenario 1
    if {$scenario >= $nextScenario} {
        set nextScenario [expr {$scenario + 1}]
    }
}

proc ::vs::data::setAccount {name password {rights 0} {ranges ""} {fourth ""}} {
    variable accounts
    requireInteger $rights "rights word"
    dict set accounts $name [dict create password $password rights [expr {$rights & 0xffffffff}] \
        ranges $ranges fourth $fourth]
}

proc ::vs::data::account {name} {
    variable accounts
    if {![dict exists $accounts $name]} {
        return {}
    }
    dict get $accounts $name
}

# --- user agents -----------------------------------------------------------

proc ::vs::data::uaExists {number} {
    variable uas
    expr {[string is entier -strict $number] && [dict exists $uas [canonical $number]]}
}

# "0101" and "101" name the same box; the data set keys boxes by the decimal
# text of their number.
proc ::vs::data::canonical {number} {
    if {[string is entier -strict $number]} {
        return [expr {$number}]
    }
    return $number
}

proc ::vs::data::ua {number} {
    variable uas
    dict get $uas [canonical $number]
}

proc ::vs::data::putUa {number record} {
    variable uas
    dict set uas [canonical $number] $record
}

proc ::vs::data::removeUa {number} {
    variable uas
    dict unset uas [canonical $number]
}

proc ::vs::data::uaNumbers {} {
    variable uas
    dict keys $uas
}

# Bumps a box's change stamp and returns the new one.
proc ::vs::data::touch {number} {
    set record [ua $number]
    dict incr record stamp
    putUa $number $record
    dict get $record stamp
}

# The value a box shows for a property: its own, else the nearest ancestor's.
# Returns a list: {} when no box of the chain has it, else {value}.
proc ::vs::data::effectiveValue {number name} {
    set seen {}
    while {[uaExists $number] && $number ni $seen} {
        lappend seen $number
        set record [ua $number]
        if {[dict exists $record props $name]} {
            return [list [dict get $record props $name]]
        }
        set number [dict get $record parent]
    }
    return {}
}

# Every property a box shows, its own and those it inherits, nearest first.
proc ::vs::data::effectiveProps {number} {
    set chain {}
    set seen {}
    while {[uaExists $number] && $number ni $seen} {
        lappend seen $number
        set record [ua $number]
        set chain [linsert $chain 0 [dict get $record props]]
        set number [dict get $record parent]
    }
    set props {}
    foreach own $chain {
        set props [dict merge $props $own]
    }
    return $props
}

# --- scenarios and event maps ----------------------------------------------

proc ::vs::data::newScenario {} {
    variable nextScenario
    set id $nextScenario
    noteScenario $id
    return $id
}

proc ::vs::data::scenarioExists {id} {
    variable scenarios
    dict exists $scenarios $id
}

proc ::vs::data::newEventMap {scenario eventId app param flags} {
    variable eventmaps
    variable nextEventMap
    set id $nextEventMap
    incr nextEventMap
    dict set eventmaps $id [dict create scenario $scenario eventId $eventId app $app param $param flags $flags]
    return $id
}

proc ::vs::data::eventMapPairs {id} {
    variable eventmaps
    set record [dict get $eventmaps $id]
    list evMapId $id scenario [dict get $record scenario] eventId [dict get $record eventId] \
        app [dict get $record app] param [dict get $record param]
}
