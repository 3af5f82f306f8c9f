# A small fixture: the default account, one root, one class of service and
# two mailboxes.
timezone UTC0
account Cardomel Cardomel 0x80FFFFFF All
var Greeting hello
ua 2147483647 {COS MB}
ua 10 -parent 2147483647 -scenario 1 {COS MB &Name1 Standard}
ua 101 -parent 10 {&Name1 Ann &Ext 101}
ua 102 -parent 10 {&Name1 Ben &Ext 102}
eventmap 1 1 18 Voicemail {}
