# Demo data set of the server simulator: what a freshly installed server
# holds (the default manufacturer account, the roots of the user-agent
# kinds, the default box 997 and the system administrator's mailbox 999)
# plus a few administrators, classes of service and mailboxes to show.

timezone EST5EDT

# Administrators: name, password, rights word, range of user agents.
account Cardomel Cardomel 0x80FFFFFF All
account admin admin 0x400000A9 All
account dept dept 0x10000030 {100-105 200}

# Server variables read at login and by the configuration windows.
var EmrId_MsgCopy_Normal 22
var EmrId_MsgCopy_Urgent 58
var EmrId_AIM_Normal 22
var Notification_Events {22 23 36 50 51 52 53 58 59 61 {70 {Fax Received}}}
var Notification_Apps {Pager Phone Email}
var Notification_TUIDisabled_Apps {Email}
var T1_Protocol_List {{E&M Wink Start} {Loop Start} {Ground Start}}
var User_Apps {Voicemail AutoAttendant Directory}
var version_string {Verbanta ES simulator 1.0}
var configuration_wizard_accessed true

# The tops of the class-of-service tree, one for each kind of user agent;
# their "COS" value is the kind's text that the programs read at login.
foreach {number kind} {
    2147483647 MB
    2147483646 DL
    2147483645 IVR
    2147483644 AMIS_GATEWAY
    2147483643 AMIS_PROXY
    2147483642 DS_VOICE
    2147483641 DS_FAX
    2147483640 VPIM_GATEWAY
    2147483639 VPIM_PROXY
} {
    ua $number -stamp 1 [list COS $kind &Name1 "$kind root"]
}

# Classes of service: boxes that hold "COS" themselves.
ua 10 -parent 2147483647 -stamp 3 -scenario 1 {
    COS MB &Name1 Standard &Comment {Standard class of service}
    Store_Message 1 MaxMessages 50 MaxMessageLength 180 language 0 AIM 0
}
ua 20 -parent 10 -stamp 2 {
    COS MB &Name1 Executive &Comment {Executives: more room}
    MaxMessages 200 Lock_MaxMessages 1
}

# The default box and the system administrator's mailbox.
ua 997 -parent 10 -stamp 1 {&Name1 Default &Name2 Box &Ext 997 &Comment {Model of new boxes}}
ua 999 -parent 20 -stamp 1 -sac 1234 {&Name1 System &Name2 Administrator &Ext 999 &Comment {}}

# Mailboxes.
foreach {number first last cos} {
    100 Alice Archer 10
    101 Bruno Baker 10
    102 Carla Cruz 20
    103 Dmitri Dunn 10
    104 Erin Ellis 10
    105 Farid Fox 20
    200 Gwen Gray 10
} {
    ua $number -parent $cos -stamp 1 -sac 0 [list &Name1 $first &Name2 $last &Ext $number &Comment {}]
}
ua 101 -parent 10 -stamp 4 -scenario 2 {&Name1 Bruno &Name2 Baker &Ext 101 &Comment {On leave} MaxMessages 80}

# A distribution list and an IVR application.
ua 300 -parent 2147483646 -stamp 1 {&Name1 Sales &Name2 {Sales team} System_Distribution_List {100 101 102}}
ua 400 -parent 2147483645 -stamp 1 -scenario 3 {&Name1 {Main menu} &Comment {Opening hours menu}}

# Event maps: scenario 1 is the standard class's, 2 Bruno's own, 3 the menu's.
eventmap 1 1 18 Voicemail {}
eventmap 2 1 17 Voicemail {}
eventmap 3 2 18 Transfer 104
eventmap 4 3 4 Transfer 999
eventmap 5 3 5 Transfer 100
eventmap 6 2 22 Pager 5551234
